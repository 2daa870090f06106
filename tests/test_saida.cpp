// The report engine's windows as a user goes through them: the output
// dialog, the preview, saving to a file, and printing a page range.
#include "DocumentoTeste.h"
#include "Listagem.h"
#include "MotorRelatorio.h"
#include "Renderizadores.h"

#include "Utilitarios.h"
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zandoval;
using namespace zandoval::teste;

namespace {

// A report of three pages of plain text.
DocumentoRelatorio documento()
{
    return documentoDePaginas(3);
}

QDialog* modal()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

QRadioButton* opcao(QWidget* w, const char* texto)
{
    for (auto* r : w->findChildren<QRadioButton*>()) {
        if (r->text() == texto) {
            return r;
        }
    }
    return nullptr;
}

} // namespace

TEST(Saida, PaperIsChosenByName)
{
    const std::vector<std::string> nomes = {"Letter", "A4 Small", "A4", "A5"};
    EXPECT_EQ(escolherPapel(nomes, "A4"), 1u);
    EXPECT_EQ(escolherPapel(nomes, "a5"), 3u);
    EXPECT_EQ(escolherPapel(nomes, "Letter"), 0u);
    EXPECT_EQ(escolherPapel(nomes, "Legal"), std::nullopt);
}

TEST(Saida, TheOutputDialogOffersPreviewFirstAndEveryFormat)
{
    std::vector<std::string> formatos;
    bool previewMarcado = false;
    int geracoes = 0;
    QTimer::singleShot(0, [&] {
        QDialog* d = modal();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Output Options");
        previewMarcado = opcao(d, "Preview")->isChecked();
        auto* combo = d->findChild<QComboBox*>();
        for (int i = 0; i < combo->count(); ++i) {
            formatos.push_back(combo->itemText(i).toStdString());
        }
        d->reject(); // cancelled: nothing is generated
    });
    ExecuteReport(nullptr, "A4", [&] {
        ++geracoes;
        return documento();
    });
    EXPECT_TRUE(previewMarcado);
    EXPECT_EQ(formatos,
              (std::vector<std::string>{"Rave Snapshot File (NDR)", "Native Printer Output (PRN)",
                                        "Adobe Acrobat (PDF)", "Web Page (HTML)",
                                        "Plain Text (TXT)", "Rich Text Format (RTF)"}));
    EXPECT_EQ(geracoes, 0);
}

TEST(Saida, ToAFileInTheChosenFormat)
{
    const auto caminho = std::filesystem::temp_directory_path() / "zandoval_saida";
    std::filesystem::remove(caminho.string() + ".txt");
    QTimer::singleShot(0, [&] {
        QDialog* d = modal();
        ASSERT_NE(d, nullptr);
        opcao(d, "File")->setChecked(true);
        d->findChild<QComboBox*>()->setCurrentIndex(4); // Plain Text (TXT)
        d->findChild<QLineEdit*>()->setText(QString::fromStdString(caminho.string()));
        d->accept();
    });
    ExecuteReport(nullptr, "A4", documento);
    EXPECT_TRUE(std::filesystem::exists(caminho.string() + ".txt"));
}

TEST(Saida, ThePreviewIsModalMaximizedAtFullSizeWithEveryPage)
{
    bool maximizada = false;
    double zoom = 0;
    int paginas = 0;
    QString titulo;
    QTimer::singleShot(0, [&] {
        modal()->accept(); // Output Options, preview preselected
        QTimer::singleShot(100, [&] {
            QDialog* p = modal();
            ASSERT_NE(p, nullptr);
            titulo = p->windowTitle();
            maximizada = p->windowState() & Qt::WindowMaximized;
            auto* w = p->findChild<QPrintPreviewWidget*>();
            zoom = w->zoomFactor();
            paginas = w->pageCount();
            p->accept();
        });
    });
    ExecuteReport(nullptr, "A4", documento);
    EXPECT_EQ(titulo, "Report Preview");
    EXPECT_TRUE(maximizada);
    EXPECT_DOUBLE_EQ(zoom, 1.0);
    EXPECT_EQ(paginas, 3);
}

TEST(Saida, ASnapshotOpensInThePreview)
{
    const auto ndr = (std::filesystem::temp_directory_path() / "zandoval_reaberto.ndr").string();
    salvarRelatorio(documento(), ndr);
    int paginas = 0;
    QTimer::singleShot(50, [&] {
        QDialog* p = modal();
        ASSERT_NE(p, nullptr);
        paginas = p->findChild<QPrintPreviewWidget*>()->pageCount();
        p->accept();
    });
    std::ifstream f(ndr, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    abrirPreview(nullptr, DocumentoRelatorio::desserializar(s.str()));
    EXPECT_EQ(paginas, 3);
}

TEST(Saida, PrintingAPageRange)
{
    // The print path into a file: what a printer would get.
    const auto caminho =
        (std::filesystem::temp_directory_path() / "zandoval_impresso.pdf").string();
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(QString::fromStdString(caminho));
    impressora.setFullPage(true);
    OpcoesSaida o;
    o.deFolha = 2;
    o.ateFolha = 3;
    std::vector<int> impressas;
    imprimir(impressora, documento(), o, [&](int n) { impressas.push_back(n); });
    EXPECT_EQ(impressas, (std::vector<int>{2, 3}));
    EXPECT_EQ(impressora.docName(), "ReportPrinter Report");
    const std::string info = comando("pdfinfo '" + caminho + "'");
    const auto pos = info.find("Pages:");
    ASSERT_NE(pos, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pos + 6)), 2) << info;
    EXPECT_NE(comando("pdftotext '" + caminho + "' -").find("Página 2"), std::string::npos);
}
