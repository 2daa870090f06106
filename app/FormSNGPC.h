#pragma once

#include "PaginaRelatorio.h"

#include <QLocale>
#include <QMainWindow>

#include <functional>
#include <string>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zandoval {

class DM;
class DM2;
class Pizza;
class Plataforma;
struct Contexto;

// The main window: the menu, the parameters panel, the progress panel with its
// pie gauge and the saving notice, all hidden until the work shows them.
//
// Activation: the checks run when the window becomes active at first display
// and when it comes back from a non-modal window of the program, and never when
// a modal dialog or message box of the program closes or the user comes back
// from another program (the window notes, as it is deactivated, where the
// focus went). Where the platform brings no activation at first display (no
// window manager), the first display runs them itself.
class FormSNGPC : public QMainWindow
{
public:
    static constexpr const char* kTitulo =
        "Relatórios de movimentação de Matérias Primas e Produtos de Revenda";

    FormSNGPC(Contexto& contexto, Plataforma& plataforma, QWidget* parent = nullptr);
    ~FormSNGPC() override;

    // The data modules, once start-up has created them.
    void ligarModulos(DM* dm, DM2* dm2);
    // The window's caption as the identification set it.
    void aplicarCaption();

    // The activation checks.
    void FormActivate();
    int ativacoes() const { return m_ativacoes; }
    // Menu command "Consumo de Matérias Primas".
    void Sada2Click();
    // Buttons "Montar Relatório" and "Cancelar".
    void BitBtn1Click();
    void BitBtn2Click();

    QAction* Sada2 = nullptr;
    QAction* Sair2 = nullptr;

    QFrame* PainelConfig = nullptr;
    QComboBox* ComboBox2 = nullptr;  // Loja (CNPJ)
    QLineEdit* DBEdit9 = nullptr;    // first day
    QLineEdit* DBEdit10 = nullptr;   // last day
    QComboBox* ComboBox1 = nullptr;  // Tipo de Pedido
    QPushButton* BitBtn1 = nullptr;  // Montar Relatório
    QComboBox* ComboBox15 = nullptr; // Linhas por Pagina
    QComboBox* ComboBox7 = nullptr;  // Papel
    QComboBox* ComboBox9 = nullptr;  // Fonte Título
    QComboBox* ComboBox10 = nullptr; // Tam. Fonte Título
    QComboBox* ComboBox6 = nullptr;  // Sublinhar Título
    QComboBox* ComboBox8 = nullptr;  // Negritar Título
    QLineEdit* Edit2 = nullptr;      // Mag. Esq. Título
    QComboBox* ComboBox13 = nullptr; // Sublinhar Títulos Colunas
    QComboBox* ComboBox14 = nullptr; // Negritar Títulos Colunas
    QComboBox* ComboBox11 = nullptr; // Fonte Corpo
    QComboBox* ComboBox12 = nullptr; // Tam. Fonte Corpo
    QLineEdit* Edit4 = nullptr;      // Mag. Sup. do Corpo
    QLineEdit* Edit3 = nullptr;      // Mag. Esq. do Corpo
    QPushButton* BitBtn2 = nullptr;  // Cancelar
    QComboBox* ComboBox3 = nullptr;  // Por período
    QComboBox* ComboBox4 = nullptr;  // Matéria Prima

    QFrame* PainelTermometro = nullptr;
    QLabel* Panel33 = nullptr;
    Pizza* pizza = nullptr;
    QLabel* LabelCarrega = nullptr;
    QLabel* PainelSalvando = nullptr;

    // The report output step, given the paper name and the generation of the
    // listing: the report engine (ExecuteReport) unless replaced.
    std::function<void(const std::string&, const std::function<DocumentoRelatorio()>&)> saida;

    // The controls of the panel in their tab order.
    QList<QWidget*> ordemTabulacao() const;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    class Acompanhamento;
    void criarMenu();
    void criarPainelConfig();
    void criarTermometro();
    void selecionarPadroes();
    void preencherPeriodo();
    bool gravarPeriodo();
    void lerLayout();

    Contexto& m_contexto;
    Plataforma& m_plataforma;
    DM* m_dm = nullptr;
    DM2* m_dm2 = nullptr;
    int m_ativacoes = 0;
    bool m_ignorarAtivacao = false;
    bool m_locAnteriorGravado = false;
    QLocale m_localeAnterior;
};

} // namespace zandoval
