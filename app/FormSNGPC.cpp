#include "FormSNGPC.h"

#include "Acompanhamento.h"
#include "CarregarConsumo.h"
#include "ConsolidarConsumo.h"
#include "Contexto.h"
#include "Cp1252.h"
#include "DM.h"
#include "DM2.h"
#include "FontesBanco.h"
#include "FontesQt.h"
#include "MotorRelatorio.h"
#include "Pizza.h"
#include "Plataforma.h"
#include "VerificacoesAtivacao.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace zandoval {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string s(const QString& q)
{
    return q.toStdString();
}

QComboBox* combo(QWidget* pai, const QStringList& itens, bool editavel = true)
{
    auto* c = new QComboBox(pai);
    c->setEditable(editavel);
    c->addItems(itens);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLabel* barraTitulo(QWidget* pai, const QString& texto)
{
    auto* l = new QLabel(texto, pai);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(
        QStringLiteral("background-color: navy; color: white; font-weight: bold; padding: 3px;"));
    return l;
}

// A raised panel of the client area, hidden until shown.
QFrame* painel(QWidget* pai, const QString& nome)
{
    auto* f = new QFrame(pai);
    f->setObjectName(nome);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    f->hide();
    return f;
}

QStringList tamanhos()
{
    QStringList t = {"5",   "5.5", "6",   "6.5", "7",    "7.5", "8",
                     "8.5", "9",   "9.5", "10",  "10.5", "11"};
    for (int i = 12; i <= 26; ++i) {
        t << QString::number(i);
    }
    return t;
}

const QStringList kFontes = {"Lucida Console", "Courrier New", "Courrier", "Arial",
                             "Times New Roman"};

// The text of a date field: dd/mm/yy, or the empty mask.
QString textoData(const std::optional<Date>& d)
{
    return d ? q(formatarData(*d)) : QString();
}

} // namespace

// The progress surfaces and the messages of the load and the consolidation.
class FormSNGPC::Acompanhamento : public zandoval::Acompanhamento
{
public:
    explicit Acompanhamento(FormSNGPC& f)
        : m_f(f)
    {
    }
    void mensagem(const std::string& texto) override { m_f.m_plataforma.mostrarMensagem(texto); }
    void mostrarTermometro(const std::string& titulo, const std::string& rotulo,
                           int maximo) override
    {
        m_f.Panel33->setText(q(titulo));
        m_f.PainelTermometro->setGeometry(218, 72, 275, 256);
        m_f.pizza->setMinimum(0);
        m_f.pizza->setMaximum(maximo);
        m_f.pizza->setProgress(0);
        m_f.LabelCarrega->setText(q(rotulo));
        m_f.LabelCarrega->show();
        m_f.PainelTermometro->show();
        m_f.PainelTermometro->raise();
    }
    void progresso(int posicao, const std::string& rotulo) override
    {
        m_f.pizza->setProgress(posicao);
        m_f.LabelCarrega->setText(q(rotulo));
    }
    void ocultarTermometro() override { m_f.PainelTermometro->hide(); }
    void mostrarSalvando(bool visivel) override
    {
        m_f.PainelSalvando->setGeometry(192, 104, 417, 41);
        m_f.PainelSalvando->setVisible(visivel);
        m_f.PainelSalvando->raise();
    }
    // Pending events are handled at most every 50 ms: often enough for the
    // window to stay responsive, without a repaint for each of thousands of
    // orders.
    void processarEventos() override
    {
        if (!m_relogio.isValid() || m_relogio.elapsed() >= 50) {
            QCoreApplication::processEvents();
            m_relogio.restart();
        }
    }

private:
    FormSNGPC& m_f;
    QElapsedTimer m_relogio;
};

FormSNGPC::FormSNGPC(Contexto& contexto, Plataforma& plataforma, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint)
    , m_contexto(contexto)
    , m_plataforma(plataforma)
{
    setWindowTitle(QString::fromUtf8(kTitulo));
    // Scroll-bar track grey, the toolkit's "MS Sans Serif" 8 where it exists.
    auto* fundo = new QWidget(this);
    fundo->setObjectName(QStringLiteral("fundo"));
    fundo->setAutoFillBackground(true);
    QPalette p = fundo->palette();
    p.setColor(QPalette::Window, QColor(0xc8, 0xc8, 0xc8));
    fundo->setPalette(p);
    setCentralWidget(fundo);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    criarMenu();
    criarPainelConfig();
    criarTermometro();
    saida = [this](const std::string& papel, const std::function<DocumentoRelatorio()>& gerar) {
        ExecuteReport(this, papel, gerar);
    };
    // A non-modal window of ours with the focus: coming back from it is an activation.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
        if (w && w != windowHandle() && !QApplication::activeModalWidget()) {
            m_ignorarAtivacao = false;
        }
    });
    // FormCreate: 940 by 600, centred.
    resize(940, 600);
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        move(tela->availableGeometry().center() - rect().center());
    }
}

FormSNGPC::~FormSNGPC() = default;

void FormSNGPC::criarMenu()
{
    QMenu* montar = menuBar()->addMenu(QStringLiteral("Montar Relatório"));
    QMenu* materias = montar->addMenu(QStringLiteral("Matérias Primas"));
    Sada2 = materias->addAction(QStringLiteral("Consumo de Matérias Primas"));
    connect(Sada2, &QAction::triggered, this, [this] { Sada2Click(); });
    Sair2 = menuBar()->addAction(QStringLiteral("Sair"));
    connect(Sair2, &QAction::triggered, this, [this] { close(); });
}

void FormSNGPC::criarPainelConfig()
{
    PainelConfig = painel(centralWidget(), QStringLiteral("PainelConfig"));
    auto* coluna = new QVBoxLayout(PainelConfig);
    coluna->setContentsMargins(2, 2, 2, 2);
    coluna->addWidget(barraTitulo(PainelConfig, QStringLiteral("Parâmetros do relatório")));
    auto* g = new QGridLayout;
    coluna->addLayout(g);
    coluna->addStretch();

    QStringList linhas;
    for (int i = 10; i <= 80; ++i) {
        linhas << QString::number(i);
    }
    ComboBox2 = combo(PainelConfig, {});
    DBEdit9 = new QLineEdit(PainelConfig);
    DBEdit10 = new QLineEdit(PainelConfig);
    for (QLineEdit* e : {DBEdit9, DBEdit10}) {
        e->setInputMask(QStringLiteral("99/99/99;_"));
        e->setMaximumWidth(90);
    }
    ComboBox1 = combo(PainelConfig, {"Pedido", "Orçam", "Repos", "Cancel", "Próprio"});
    BitBtn1 = new QPushButton(QStringLiteral("Montar Relatório"), PainelConfig);
    BitBtn1->setAutoDefault(true);
    ComboBox15 = combo(PainelConfig, linhas);
    ComboBox7 = combo(PainelConfig, {"A4", "A5", "Letter"});
    ComboBox9 = combo(PainelConfig, kFontes);
    ComboBox10 = combo(PainelConfig, tamanhos());
    ComboBox6 = combo(PainelConfig, {"S", "N"});
    ComboBox8 = combo(PainelConfig, {"S", "N"});
    Edit2 = new QLineEdit(PainelConfig);
    ComboBox13 = combo(PainelConfig, {"S", "N"});
    ComboBox14 = combo(PainelConfig, {"N", "S"});
    ComboBox11 = combo(PainelConfig, kFontes);
    ComboBox12 = combo(PainelConfig, tamanhos());
    Edit4 = new QLineEdit(PainelConfig);
    Edit3 = new QLineEdit(PainelConfig);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), PainelConfig);
    BitBtn2->setAutoDefault(true);
    ComboBox3 = combo(PainelConfig, {"S", "N"});
    ComboBox4 = combo(PainelConfig, {});

    const auto rotulo = [this](const char* texto) {
        return new QLabel(QString::fromUtf8(texto), PainelConfig);
    };
    // Report selection on the left, layout on the right.
    g->addWidget(rotulo("Loja (CNPJ):"), 0, 0);
    g->addWidget(ComboBox2, 0, 1, 1, 3);
    g->addWidget(rotulo("Período:"), 1, 0);
    g->addWidget(DBEdit9, 1, 1);
    g->addWidget(rotulo("a"), 1, 2, Qt::AlignCenter);
    g->addWidget(DBEdit10, 1, 3);
    g->addWidget(rotulo("Tipo de Pedido"), 2, 0);
    g->addWidget(ComboBox1, 2, 1, 1, 3);
    g->addWidget(rotulo("Matéria Prima"), 3, 0);
    g->addWidget(ComboBox4, 3, 1, 1, 3);
    g->addWidget(rotulo("Por período"), 4, 0);
    g->addWidget(ComboBox3, 4, 1);
    g->addWidget(BitBtn1, 6, 0, 1, 2);
    g->addWidget(BitBtn2, 6, 2, 1, 2);
    const std::pair<const char*, QWidget*> layout[] = {{"Linhas por Pagina", ComboBox15},
                                                       {"Papel", ComboBox7},
                                                       {"Fonte Título", ComboBox9},
                                                       {"Tam. Fonte Título", ComboBox10},
                                                       {"Sublinhar Título", ComboBox6},
                                                       {"Negritar Título", ComboBox8},
                                                       {"Mag. Esq. Título", Edit2},
                                                       {"Sublinhar Títulos Colunas", ComboBox13},
                                                       {"Negritar Títulos Colunas", ComboBox14},
                                                       {"Fonte Corpo", ComboBox11},
                                                       {"Tam. Fonte Corpo", ComboBox12},
                                                       {"Mag. Sup. do Corpo", Edit4},
                                                       {"Mag. Esq. do Corpo", Edit3}};
    int l = 0;
    for (const auto& [texto, w] : layout) {
        g->addWidget(rotulo(texto), l, 5);
        g->addWidget(w, l++, 6);
    }
    g->setColumnMinimumWidth(4, 24);
    // The selection on the left keeps to its width so the layout labels show
    // whole; the material list opens wider for long names.
    for (QComboBox* c : {ComboBox2, ComboBox1, ComboBox4}) {
        c->setMaximumWidth(250);
    }
    ComboBox4->view()->setMinimumWidth(420);

    const auto ordem = ordemTabulacao();
    for (int i = 0; i + 1 < ordem.size(); ++i) {
        setTabOrder(ordem[i], ordem[i + 1]);
    }
    // Enter moves on from these four, as Tab would.
    for (QWidget* w : {static_cast<QWidget*>(ComboBox2), static_cast<QWidget*>(DBEdit9),
                       static_cast<QWidget*>(DBEdit10), static_cast<QWidget*>(ComboBox1)}) {
        w->installEventFilter(this);
    }
    ComboBox2->lineEdit()->installEventFilter(this);
    ComboBox1->lineEdit()->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ComboBox1->setCurrentIndex(0);
}

QList<QWidget*> FormSNGPC::ordemTabulacao() const
{
    return {ComboBox2,  DBEdit9,    DBEdit10,  ComboBox1, BitBtn1, ComboBox15, ComboBox7,
            ComboBox9,  ComboBox10, ComboBox6, ComboBox8, Edit2,   ComboBox13, ComboBox14,
            ComboBox11, ComboBox12, Edit4,     Edit3,     BitBtn2, ComboBox3,  ComboBox4};
}

void FormSNGPC::criarTermometro()
{
    PainelTermometro = painel(centralWidget(), QStringLiteral("PainelTermometro"));
    auto* c = new QVBoxLayout(PainelTermometro);
    c->setContentsMargins(2, 2, 2, 6);
    Panel33 = barraTitulo(PainelTermometro, QStringLiteral("Transferência de dados"));
    pizza = new Pizza(PainelTermometro);
    LabelCarrega = new QLabel(PainelTermometro);
    LabelCarrega->setAlignment(Qt::AlignCenter);
    QFont f = LabelCarrega->font();
    f.setBold(true);
    f.setPointSize(10);
    LabelCarrega->setFont(f);
    LabelCarrega->setStyleSheet(QStringLiteral("color: navy;"));
    c->addWidget(Panel33);
    c->addWidget(pizza, 1);
    c->addWidget(LabelCarrega);

    PainelSalvando =
        new QLabel(QStringLiteral("Salvando as informações no Banco de Dados. Favor aguardar..."),
                   centralWidget());
    PainelSalvando->setAlignment(Qt::AlignCenter);
    PainelSalvando->setAutoFillBackground(true);
    PainelSalvando->setFrameShape(QFrame::Panel);
    PainelSalvando->setStyleSheet(QStringLiteral("color: green; font-weight: bold;"));
    PainelSalvando->hide();
}

void FormSNGPC::ligarModulos(DM* dm, DM2* dm2)
{
    m_dm = dm;
    m_dm2 = dm2;
}

void FormSNGPC::aplicarCaption()
{
    if (!m_contexto.caption.empty()) {
        setWindowTitle(q(m_contexto.caption));
    }
}

bool FormSNGPC::event(QEvent* e)
{
    if (e->type() == QEvent::WindowDeactivate) {
        // A modal dialog or message box of ours took the focus, or another
        // program did: the focus coming back from there is no activation. (A
        // non-modal window of ours taking the focus clears this again.)
        m_ignorarAtivacao =
            QApplication::activeModalWidget() != nullptr || QApplication::activeWindow() == nullptr;
    } else if (e->type() == QEvent::WindowActivate) {
        if (m_ignorarAtivacao) {
            m_ignorarAtivacao = false;
        } else {
            QTimer::singleShot(0, this, [this] { FormActivate(); });
        }
    }
    return QMainWindow::event(e);
}

void FormSNGPC::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // Without a window manager the first display brings no activation.
    QTimer::singleShot(300, this, [this] {
        if (m_ativacoes == 0 && isVisible()) {
            FormActivate();
        }
    });
}

void FormSNGPC::FormActivate()
{
    if (!m_dm || !m_dm2) {
        return;
    }
    ++m_ativacoes;
    m_contexto.CargaEmCurso = false;
    // Numbers with "." whatever the system's regional settings; the one in
    // force is put back when the window closes.
    if (!m_locAnteriorGravado) {
        m_localeAnterior = QLocale();
        m_locAnteriorGravado = true;
    }
    QLocale::setDefault(QLocale::c());
    if (!lerData("28/12/07")) {
        m_plataforma.mostrarMensagem(
            "Favor configurar a data do seu computador no formato \"dd/mm/aa\".");
        close();
        return;
    }
    Acompanhamento acompanhamento(*this);
    try {
        if (!verificarLoja(*m_dm, m_contexto, acompanhamento)) {
            return;
        }
        const auto materias = reconstruirInsumos(*m_dm);
        ComboBox4->clear();
        for (const auto& m : materias) {
            ComboBox4->addItem(q(m));
        }
        ComboBox4->setCurrentIndex(0);

        ComboBox2->clear();
        for (const auto& l : listarLojas(*m_dm2)) {
            ComboBox2->addItem(q(l));
        }
        const int loja = ComboBox2->findText(q(m_contexto.param.CNPJLoja), Qt::MatchExactly);
        ComboBox2->setCurrentIndex(loja >= 0 ? loja : (ComboBox2->count() > 0 ? 0 : -1));
        ComboBox1->setCurrentIndex(0);
    } catch (const std::exception& e) {
        m_plataforma.relatarErro(e.what());
    }
}

void FormSNGPC::selecionarPadroes()
{
    ParamRelatorio& p = m_contexto.param;
    p.restaurarLayoutPadrao();
    Edit2->setText(q(p.TitleLeftMargin));
    Edit4->setText(q(p.BodyTopMargin));
    Edit3->setText(q(p.BodyLeftMargin));
    ComboBox3->setCurrentIndex(0);   // S
    ComboBox15->setCurrentIndex(50); // 60
    ComboBox7->setCurrentIndex(0);   // A4
    ComboBox9->setCurrentIndex(0);   // Lucida Console
    ComboBox10->setCurrentIndex(14); // 13
    ComboBox6->setCurrentIndex(0);   // S
    ComboBox8->setCurrentIndex(0);   // S
    ComboBox13->setCurrentIndex(0);  // S
    ComboBox14->setCurrentIndex(0);  // N
    ComboBox11->setCurrentIndex(0);  // Lucida Console
    ComboBox12->setCurrentIndex(10); // 10
}

void FormSNGPC::preencherPeriodo()
{
    DataSet& periodo = m_dm2->Periodo;
    periodo.close();
    periodo.open();
    periodo.edit(); // a new row when the table has none
    DBEdit9->setText(textoData(periodo.field("DATAINICIAL").asDate()));
    DBEdit10->setText(textoData(periodo.field("DATAFINAL").asDate()));
}

void FormSNGPC::Sada2Click()
{
    if (!m_dm2) {
        return;
    }
    try {
        m_dm2->RP_ConsMP.close();
        selecionarPadroes();
        preencherPeriodo();
        PainelConfig->setGeometry(8, 8, 657, 417);
        PainelConfig->show();
        PainelConfig->raise();
        ComboBox2->setFocus();
    } catch (const std::exception& e) {
        m_plataforma.relatarErro(e.what());
    }
}

bool FormSNGPC::gravarPeriodo()
{
    DataSet& periodo = m_dm2->Periodo;
    std::optional<Date> datas[2];
    QLineEdit* campos[2] = {DBEdit9, DBEdit10};
    for (int i = 0; i < 2; ++i) {
        const QString texto = campos[i]->text();
        const QString digitos = QString(texto).remove('/').trimmed();
        if (digitos.isEmpty()) {
            continue; // an empty field clears the date
        }
        datas[i] = lerData(s(texto).substr(0, 8));
        if (!datas[i]) {
            m_plataforma.mostrarMensagem("'" + s(texto) + "' não é uma data válida.");
            campos[i]->setFocus();
            return false;
        }
    }
    periodo.setField("DATAINICIAL", datas[0] ? Value(*datas[0]) : Value());
    periodo.setField("DATAFINAL", datas[1] ? Value(*datas[1]) : Value());
    periodo.post();
    periodo.close();
    return true;
}

void FormSNGPC::lerLayout()
{
    ParamRelatorio& p = m_contexto.param;
    p.LinesPerPage = s(ComboBox15->currentText());
    p.PaperName = s(ComboBox7->currentText());
    p.TitleFontName = s(ComboBox9->currentText());
    p.TitleFontSize = s(ComboBox10->currentText());
    p.TitleUnderline = s(ComboBox6->currentText());
    p.TitleBold = s(ComboBox8->currentText());
    p.TitleLeftMargin = s(Edit2->text());
    p.ColumnTitleUnderline = s(ComboBox13->currentText());
    p.ColumnTitleBold = s(ComboBox14->currentText());
    p.BodyFontName = s(ComboBox11->currentText());
    p.BodyFontSize = s(ComboBox12->currentText());
    p.BodyTopMargin = s(Edit4->text());
    p.BodyLeftMargin = s(Edit3->text());
    p.ByPeriod = s(ComboBox3->currentText());
    p.MateriaPrima = s(ComboBox4->currentText());
}

void FormSNGPC::BitBtn1Click()
{
    if (!m_dm || !m_dm2) {
        return;
    }
    ParamRelatorio& p = m_contexto.param;
    try {
        p.CNPJLoja = prefixoUtf8(s(ComboBox2->currentText()), 20);
        p.TipoPedido = prefixoUtf8(s(ComboBox1->currentText()), 25);
        if (!gravarPeriodo()) {
            return; // the panel stays, nothing runs
        }
        PainelConfig->hide();
        lerLayout();
        Acompanhamento acompanhamento(*this);
        const ResumoCarga carga = CarregarConsumo(*m_dm, *m_dm2, m_contexto, acompanhamento);
        if (carga.resultado != ResultadoCarga::Concluida) {
            return; // the load ended early: nothing follows
        }
        const auto totais = ConsolidarConsumo(*m_dm2, m_contexto, acompanhamento);
        // The report output step: the engine asks for the destination and
        // shows, prints or saves the listing of these totals.
        const FontesListagem fontes = fontesDoBanco(*m_dm2);
        saida(p.PaperName, [&] {
            MetricasQt metricas;
            return gerarListagem(p, totais, fontes, metricas);
        });
    } catch (const std::exception& e) {
        m_plataforma.relatarErro(e.what());
    }
}

void FormSNGPC::BitBtn2Click()
{
    if (m_dm2) {
        m_dm2->Periodo.close(); // the edits are dropped
    }
    PainelConfig->hide();
}

bool FormSNGPC::eventFilter(QObject* alvo, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QMainWindow::eventFilter(alvo, e);
}

void FormSNGPC::closeEvent(QCloseEvent* e)
{
    // FormClose: the totals closed, the number format put back.
    if (m_dm2) {
        m_dm2->RP_ConsMP.close();
    }
    if (m_locAnteriorGravado) {
        QLocale::setDefault(m_localeAnterior);
    }
    e->accept();
}

} // namespace zandoval
