#pragma once

#include "MetricasFonte.h"
#include "PaginaRelatorio.h"

#include <string>

namespace zandoval {

// The drawing operations the listing uses, recording into a page description.
// Positions are in report units (1/1.77 inch) from the page's left and top
// edges; y is a text's baseline. Font sizes are in points.
//
// A line is 1.2 × the font size high. The first line of a page has its
// baseline one line height, less the font's descent, below the top margin.
// Nothing breaks a page by itself: going below the bottom margin keeps drawing
// on the same page.
class ReportSurface
{
public:
    struct Margens
    {
        double esquerda = 0.5; // inches
        double superior = 0.5;
        double inferior = 0.25;
    };

    ReportSurface(DocumentoRelatorio& documento, MetricasFonte& metricas, Margens margens);

    // Font name and size; bold and underline off. A size of zero or less
    // changes nothing.
    void SelectFont(const std::string& name, double size);
    void SetBold(bool on) { m_fonte.negrito = on; }
    void SetUnderline(bool on) { m_fonte.sublinhado = on; }
    // Prints left-aligned from x on the current line; the position ends after the text.
    void PrintAt(const std::string& text, double x);
    // Prints at the current position, which ends after the text.
    void PrintAtCursor(const std::string& text);
    // The current position; y is the baseline.
    void MoveTo(double x, double y);
    // To the left margin, one line height (of the font in force) down.
    void NewLine();
    // Ends the page; the position goes to the first line of the next one.
    void NewPage();
    // The current line's height and descent from the font in force, keeping
    // the top of the line where it is.
    void RefreshLineMetrics();

    double x() const { return m_x; }
    double y() const { return m_y; }
    const Fonte& fonte() const { return m_fonte; }
    // The line height of the font in force, in report units.
    double alturaLinha() const;
    double margemEsquerda() const;
    double margemSuperior() const;

private:
    double descendente() const;

    DocumentoRelatorio& m_doc;
    MetricasFonte& m_metricas;
    Margens m_margens;
    Fonte m_fonte{"Arial", 10, false, false};
    double m_x = 0;
    double m_y = 0;
    // The metrics the current line was laid out with.
    double m_linhaAltura = 0;
    double m_linhaDescendente = 0;
};

} // namespace zandoval
