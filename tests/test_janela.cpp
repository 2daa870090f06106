// The main window on Qt's offscreen platform against the private server:
// its size, title and menu, the activation checks, the parameters panel, and
// what confirming and cancelling write.
#include "BancosDoPrograma.h"
#include "Connection.h"
#include "Contexto.h"
#include "DM.h"
#include "DM2.h"
#include "FormSNGPC.h"
#include "Inicializacao.h"
#include "Pizza.h"
#include "PlataformaTeste.h"
#include "TestServer.h"
#include "Transaction.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zandoval;
using namespace zandoval::teste;

namespace {

class Janela : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_bancos = new BancosDoPrograma(200, "balconista");
        s_suite = s_bancos->suite.get();
        s_if = s_bancos->interface.get();
    }
    static void TearDownTestSuite() { delete s_bancos; }
    void SetUp() override
    {
        s_if->run("delete from PERIODO");
        s_suite->run("delete from RP_VENDAMP; delete from RP_CONSMP");
        plataforma.usuario = "balconista";
        plataforma.configurarServidor(TestServer::address());
        ASSERT_FALSE(iniciar(dm, dm2, contexto, plataforma).encerrar);
        janela.ligarModulos(&dm, &dm2);
        janela.aplicarCaption();
        // No printer here: the output step keeps what it was given.
        janela.saida = [this](const std::string& papel,
                              const std::function<DocumentoRelatorio()>& gerar) {
            papelPedido = papel;
            relatorio = gerar();
        };
    }
    void mostrar()
    {
        janela.show();
        QApplication::setActiveWindow(&janela);
        esperar([&] { return janela.ativacoes() > 0; });
    }
    template <class Condicao> static void esperar(Condicao c, int ms = 3000)
    {
        for (int i = 0; i < ms / 10 && !c(); ++i) {
            QTest::qWait(10);
        }
    }
    static std::int64_t contar(const std::string& sql, bool interface = false)
    {
        Connection c(interface ? s_if->interfaceSettings() : s_suite->suiteSettings());
        return queryDirect(c, sql).rows[0][0].asInt();
    }

    static BancosDoPrograma* s_bancos;
    static ScratchDatabase* s_suite;
    static ScratchDatabase* s_if;
    PlataformaTeste plataforma{"test_janela"};
    std::string papelPedido;
    DocumentoRelatorio relatorio;
    Contexto contexto;
    FormSNGPC janela{contexto, plataforma};
    DM dm;
    DM2 dm2;
};

BancosDoPrograma* Janela::s_bancos = nullptr;
ScratchDatabase* Janela::s_suite = nullptr;
ScratchDatabase* Janela::s_if = nullptr;

} // namespace

TEST_F(Janela, SizeTitleMenuAndHiddenSurfaces)
{
    mostrar();
    EXPECT_EQ(janela.size(), QSize(940, 600));
    EXPECT_EQ(janela.windowTitle().toStdString(),
              " VEK SISTEMAS - RELATÓRIOS     Usuário: \"balconista\"     Estação: 01     Loja: "
              "11.222.333/0001-81");
    const auto entradas = janela.menuBar()->actions();
    ASSERT_EQ(entradas.size(), 2);
    EXPECT_EQ(entradas[0]->text(), "Montar Relatório");
    EXPECT_EQ(entradas[1]->text(), "Sair");
    EXPECT_EQ(entradas[1]->menu(), nullptr);
    const auto sub = entradas[0]->menu()->actions();
    ASSERT_EQ(sub.size(), 1);
    EXPECT_EQ(sub[0]->text(), "Matérias Primas");
    const auto comandos = sub[0]->menu()->actions();
    ASSERT_EQ(comandos.size(), 1);
    EXPECT_EQ(comandos[0]->text(), "Consumo de Matérias Primas");
    EXPECT_FALSE(janela.PainelConfig->isVisible());
    EXPECT_FALSE(janela.PainelTermometro->isVisible());
    EXPECT_FALSE(janela.PainelSalvando->isVisible());
}

TEST_F(Janela, ActivationRunsAtFirstShowAndOnReturnButNotAfterAMessageBox)
{
    mostrar();
    ASSERT_EQ(janela.ativacoes(), 1);
    EXPECT_TRUE(plataforma.erros.empty()) << plataforma.erros.front();
    EXPECT_EQ(janela.ComboBox4->itemText(0), "Todas as matérias primas");
    EXPECT_GT(janela.ComboBox4->count(), 30);
    EXPECT_EQ(janela.ComboBox4->currentIndex(), 0);
    EXPECT_EQ(janela.ComboBox2->currentText(), "11222333000181");
    EXPECT_EQ(janela.ComboBox1->currentText(), "Pedido");
    EXPECT_GT(contar("select count(*) from INSUMOS"), 30);

    // A modal message box closing hands the focus back: no activation.
    QTimer::singleShot(100, [] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            static_cast<QMessageBox*>(m)->accept();
        }
    });
    QMessageBox::information(&janela, "ZANDOVAL", "aviso");
    QTest::qWait(300);
    EXPECT_EQ(janela.ativacoes(), 1);

    // Coming back from a non-modal window of the program is an activation.
    janela.ComboBox4->setCurrentIndex(3);
    QWidget outra;
    outra.show();
    QApplication::setActiveWindow(&outra);
    QTest::qWait(50);
    outra.close();
    QApplication::setActiveWindow(&janela);
    esperar([&] { return janela.ativacoes() > 1; });
    EXPECT_EQ(janela.ativacoes(), 2);
    EXPECT_EQ(janela.ComboBox4->currentIndex(), 0); // selections reset
}

TEST_F(Janela, ThePanelsDefaultsTabOrderAndEnterKey)
{
    mostrar();
    janela.Sada2Click();
    ASSERT_TRUE(janela.PainelConfig->isVisible());
    EXPECT_EQ(janela.PainelConfig->geometry(), QRect(8, 8, 657, 417));
    const std::pair<QComboBox*, const char*> combos[] = {
        {janela.ComboBox15, "60"}, {janela.ComboBox7, "A4"}, {janela.ComboBox9, "Lucida Console"},
        {janela.ComboBox10, "13"}, {janela.ComboBox6, "S"},  {janela.ComboBox8, "S"},
        {janela.ComboBox13, "S"},  {janela.ComboBox14, "N"}, {janela.ComboBox11, "Lucida Console"},
        {janela.ComboBox12, "10"}, {janela.ComboBox3, "S"},  {janela.ComboBox1, "Pedido"}};
    for (const auto& [c, texto] : combos) {
        EXPECT_EQ(c->currentText().toStdString(), texto);
    }
    EXPECT_EQ(janela.ComboBox15->count(), 71);
    EXPECT_EQ(janela.ComboBox10->count(), 28);
    EXPECT_EQ(janela.ComboBox9->itemText(1), "Courrier New");
    EXPECT_EQ(janela.ComboBox1->itemText(4), "Próprio");
    EXPECT_EQ(janela.Edit2->text(), "2");
    EXPECT_EQ(janela.Edit4->text(), "1.5");
    EXPECT_EQ(janela.Edit3->text(), "2");

    // Tab walks the 21 controls in their order.
    const auto ordem = janela.ordemTabulacao();
    ASSERT_EQ(ordem.size(), 21);
    ordem[0]->setFocus();
    for (int i = 1; i < ordem.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* f = QApplication::focusWidget();
        EXPECT_TRUE(f == ordem[i] || f->parentWidget() == ordem[i]) << i;
    }

    // Enter walks store, first day, last day, order type, then the button,
    // without pressing it.
    janela.ComboBox2->setFocus();
    const QWidget* esperado[] = {janela.DBEdit9, janela.DBEdit10, janela.ComboBox1, janela.BitBtn1};
    for (const QWidget* w : esperado) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QWidget* f = QApplication::focusWidget();
        EXPECT_TRUE(f == w || f->parentWidget() == w);
    }
    EXPECT_TRUE(janela.PainelConfig->isVisible());
    EXPECT_EQ(contar("select count(*) from RP_VENDAMP"), 0);
}

TEST_F(Janela, ConfirmingStoresThePeriodAndBuildsTheTotals)
{
    mostrar();
    janela.Sada2Click();
    janela.DBEdit9->setText("01/03/08");
    janela.DBEdit10->setText("31/03/08");
    janela.BitBtn1Click();
    EXPECT_TRUE(plataforma.erros.empty()) << plataforma.erros.front();
    EXPECT_FALSE(janela.PainelConfig->isVisible());
    EXPECT_FALSE(janela.PainelTermometro->isVisible());
    EXPECT_EQ(contar("select count(*) from PERIODO where DATAINICIAL = '2008-03-01' and "
                     "DATAFINAL = '2008-03-31'",
                     true),
              1);
    EXPECT_GT(contar("select count(*) from RP_VENDAMP"), 500);
    EXPECT_GT(contar("select count(*) from RP_CONSMP"), 30);
    // The gauge went round once per order.
    EXPECT_EQ(janela.pizza->progress(), janela.pizza->maximum());
    // The output step got the listing of these totals, on the chosen paper.
    EXPECT_EQ(papelPedido, "A4");
    ASSERT_FALSE(relatorio.paginas.empty());
    EXPECT_EQ(relatorio.paginas[0].textos[0].texto, "Consumo de Matérias Primas");
    EXPECT_EQ(relatorio.paginas[0].textos[1].texto.rfind(
                  "Periodo: 01/03/08 a 31/03/08    Data Emissão: ", 0),
              0u);

    // Opening again shows the stored period.
    janela.Sada2Click();
    EXPECT_EQ(janela.DBEdit9->text(), "01/03/08");
    EXPECT_EQ(janela.DBEdit10->text(), "31/03/08");
}

TEST_F(Janela, CancellingOrAnInvalidDateWritesNothing)
{
    mostrar();
    janela.Sada2Click();
    janela.DBEdit9->setText("01/03/08");
    janela.BitBtn2Click();
    EXPECT_FALSE(janela.PainelConfig->isVisible());
    EXPECT_EQ(contar("select count(*) from PERIODO", true), 0);

    janela.Sada2Click();
    janela.DBEdit9->setText("31/02/08");
    janela.DBEdit10->setText("31/03/08");
    janela.BitBtn1Click();
    EXPECT_EQ(plataforma.mensagens.back(), "'31/02/08' não é uma data válida.");
    EXPECT_TRUE(janela.PainelConfig->isVisible());
    EXPECT_EQ(contar("select count(*) from PERIODO", true), 0);
    EXPECT_EQ(contar("select count(*) from RP_VENDAMP"), 0);
}

TEST_F(Janela, ClosingPutsTheNumberFormatBack)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    mostrar();
    EXPECT_EQ(QLocale().decimalPoint(), ".");
    janela.Sair2->trigger();
    EXPECT_FALSE(janela.isVisible());
    EXPECT_EQ(QLocale().decimalPoint(), ",");
    QLocale::setDefault(QLocale::c());
}
