// Printing for real through the system's print path, to the cups-pdf queue
// that the fixture "impressora" sets up: the paper chosen by name, every
// page, the job title.
#include "DocumentoTeste.h"
#include "MotorRelatorio.h"
#include "Renderizadores.h"

#include "Utilitarios.h"
#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <pwd.h>
#include <thread>
#include <unistd.h>

using namespace zandoval;
using namespace zandoval::teste;

namespace {

} // namespace

TEST(Impressao, ThePaperByNameAndTheJobTitleReachThePrinter)
{
    const QPrinterInfo pdf = QPrinterInfo::printerInfo(QStringLiteral("PDF"));
    ASSERT_FALSE(pdf.isNull()) << "no print queue named PDF";
    std::vector<std::string> nomes;
    const auto tamanhos = pdf.supportedPageSizes();
    for (const auto& t : tamanhos) {
        nomes.push_back(t.name().toStdString());
    }
    const auto a5 = escolherPapel(nomes, "A5");
    ASSERT_TRUE(a5);

    const std::filesystem::path saida = std::filesystem::path(getpwuid(getuid())->pw_dir) / "PDF";
    std::filesystem::remove_all(saida);

    const DocumentoRelatorio d = documentoDePaginas(2);
    QPrinter impressora(pdf, QPrinter::HighResolution);
    impressora.setFullPage(true);
    impressora.setPageSize(tamanhos[static_cast<qsizetype>(*a5)]);
    imprimir(impressora, d, OpcoesSaida{});

    // The job lands as a PDF named after its title.
    std::filesystem::path arquivo;
    for (int i = 0; i < 200 && arquivo.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(saida, ec)) {
            arquivo = e.path();
        }
    }
    ASSERT_FALSE(arquivo.empty()) << "nothing printed into " << saida;
    EXPECT_NE(arquivo.filename().string().find("ReportPrinter_Report"), std::string::npos)
        << arquivo;
    // The file shows up while the queue still writes it.
    std::string info;
    for (int i = 0; i < 100 && info.find("Pages:") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        info = comando("pdfinfo '" + arquivo.string() + "' 2>/dev/null");
    }
    EXPECT_NE(info.find("A5"), std::string::npos) << info;
    const auto pos = info.find("Pages:");
    ASSERT_NE(pos, std::string::npos);
    EXPECT_EQ(std::stoi(info.substr(pos + 6)), 2);
    // (The print system draws the text again as its own glyphs: what a printer
    // gets is checked by its pages, paper and title, not by extracting text.)
}
