#pragma once

#include <QWidget>

namespace zandoval {

// The pie-shaped progress gauge: a navy slice that grows clockwise from the
// top, with the percentage in the middle.
class Pizza : public QWidget
{
public:
    explicit Pizza(QWidget* parent = nullptr);

    void setMinimum(int v);
    void setMaximum(int v);
    void setProgress(int v);
    int minimum() const { return m_minimo; }
    int maximum() const { return m_maximo; }
    int progress() const { return m_progresso; }
    // The share done, 0 to 100.
    int percent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_minimo = 0;
    int m_maximo = 100;
    int m_progresso = 0;
};

} // namespace zandoval
