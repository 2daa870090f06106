#include "MotorRelatorio.h"

#include "FontesQt.h"
#include "Renderizadores.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zandoval {

namespace {

class CancelarGeracao : public std::exception
{
};

// "Report Status": what the engine is doing, with a way to stop it.
class JanelaStatus : public QDialog
{
public:
    explicit JanelaStatus(QWidget* pai)
        : QDialog(pai)
    {
        setWindowTitle(QStringLiteral("Report Status"));
        auto* c = new QVBoxLayout(this);
        m_texto = new QLabel(this);
        m_texto->setMinimumWidth(240);
        auto* cancelar = new QPushButton(QStringLiteral("Cancel"), this);
        c->addWidget(m_texto);
        c->addWidget(cancelar, 0, Qt::AlignCenter);
        connect(cancelar, &QPushButton::clicked, this, [this] { m_cancelado = true; });
    }
    void mostrar(const QString& modelo, int pagina)
    {
        QString t = modelo;
        m_texto->setText(t.replace(QStringLiteral("%p"), QString::number(pagina)));
        show();
        QApplication::processEvents();
        if (m_cancelado) {
            throw CancelarGeracao();
        }
    }

private:
    QLabel* m_texto;
    bool m_cancelado = false;
};

// "Output Options": destination, copies, collate, duplex, page range, setup.
class DialogoSaida : public QDialog
{
public:
    DialogoSaida(QWidget* pai, QPrinter& impressora)
        : QDialog(pai)
        , m_impressora(impressora)
    {
        setWindowTitle(QStringLiteral("Output Options"));
        auto* c = new QVBoxLayout(this);
        auto* destino = new QGroupBox(QStringLiteral("Report Destination"), this);
        auto* d = new QVBoxLayout(destino);
        preview = new QRadioButton(QStringLiteral("Preview"), destino);
        impressoraRadio = new QRadioButton(QStringLiteral("Printer"), destino);
        arquivoRadio = new QRadioButton(QStringLiteral("File"), destino);
        preview->setChecked(true);
        formato = new QComboBox(destino);
        for (const auto& f : formatosArquivo()) {
            formato->addItem(QString::fromStdString(f.nome));
        }
        formato->setCurrentIndex(2);
        arquivo = new QLineEdit(destino);
        auto* procurar = new QPushButton(QStringLiteral("..."), destino);
        auto* linhaArquivo = new QHBoxLayout;
        linhaArquivo->addWidget(arquivo);
        linhaArquivo->addWidget(procurar);
        d->addWidget(preview);
        d->addWidget(impressoraRadio);
        d->addWidget(arquivoRadio);
        d->addWidget(formato);
        d->addLayout(linhaArquivo);
        c->addWidget(destino);

        auto* copiasGrupo = new QGroupBox(QStringLiteral("Copies"), this);
        auto* f = new QFormLayout(copiasGrupo);
        copias = new QSpinBox(copiasGrupo);
        copias->setRange(1, 999);
        agrupar = new QCheckBox(QStringLiteral("Collate"), copiasGrupo);
        agrupar->setChecked(true);
        duplex = new QCheckBox(QStringLiteral("Duplex"), copiasGrupo);
        f->addRow(QStringLiteral("Number of copies"), copias);
        f->addRow(agrupar);
        f->addRow(duplex);
        c->addWidget(copiasGrupo);

        auto* faixaGrupo = new QGroupBox(QStringLiteral("Page Range"), this);
        auto* g = new QHBoxLayout(faixaGrupo);
        todas = new QRadioButton(QStringLiteral("All"), faixaGrupo);
        paginas = new QRadioButton(QStringLiteral("Pages"), faixaGrupo);
        todas->setChecked(true);
        de = new QSpinBox(faixaGrupo);
        ate = new QSpinBox(faixaGrupo);
        de->setRange(1, 9999);
        ate->setRange(1, 9999);
        ate->setValue(9999);
        g->addWidget(todas);
        g->addWidget(paginas);
        g->addWidget(de);
        g->addWidget(new QLabel(QStringLiteral("to"), faixaGrupo));
        g->addWidget(ate);
        c->addWidget(faixaGrupo);

        auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        auto* setup = botoes->addButton(QStringLiteral("Setup"), QDialogButtonBox::ActionRole);
        c->addWidget(botoes);
        connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(setup, &QPushButton::clicked, this, [this] {
            QPrintDialog dialogo(&m_impressora, this);
            dialogo.exec();
        });
        connect(procurar, &QPushButton::clicked, this, [this] {
            const QString nome = QFileDialog::getSaveFileName(this, QStringLiteral("File"),
                                                              arquivo->text(), filtros());
            if (!nome.isEmpty()) {
                arquivo->setText(nome);
                arquivoRadio->setChecked(true);
            }
        });
    }

    static QString filtros()
    {
        QStringList f;
        for (const auto& x : formatosArquivo()) {
            f << QString::fromStdString(x.nome + " (" + x.padrao + ")").replace(';', ' ');
        }
        return f.join(QStringLiteral(";;"));
    }

    OpcoesSaida opcoes() const
    {
        OpcoesSaida o;
        o.destino = preview->isChecked()           ? OpcoesSaida::Destino::Preview
                    : impressoraRadio->isChecked() ? OpcoesSaida::Destino::Impressora
                                                   : OpcoesSaida::Destino::Arquivo;
        o.arquivo = arquivo->text().toStdString();
        o.formato = static_cast<std::size_t>(formato->currentIndex());
        o.copias = copias->value();
        o.agrupar = agrupar->isChecked();
        o.duplex = duplex->isChecked();
        if (paginas->isChecked()) {
            o.deFolha = de->value();
            o.ateFolha = ate->value();
        }
        return o;
    }

    QRadioButton* preview;
    QRadioButton* impressoraRadio;
    QRadioButton* arquivoRadio;
    QComboBox* formato;
    QLineEdit* arquivo;
    QSpinBox* copias;
    QCheckBox* agrupar;
    QCheckBox* duplex;
    QRadioButton* todas;
    QRadioButton* paginas;
    QSpinBox* de;
    QSpinBox* ate;

private:
    QPrinter& m_impressora;
};

// "Report Preview": modal, maximized, at 100 %, with page navigation, zoom,
// printing and saving in the registered formats. It replays the generated
// page description; nothing is generated again.
class JanelaPreview : public QDialog
{
public:
    JanelaPreview(QWidget* pai, QPrinter& impressora, DocumentoRelatorio documento)
        : QDialog(pai)
        , m_impressora(impressora)
        , m_documento(std::move(documento))
    {
        setWindowTitle(QStringLiteral("Report Preview"));
        auto* c = new QVBoxLayout(this);
        auto* barra = new QToolBar(this);
        m_widget = new QPrintPreviewWidget(&m_impressora, this);
        m_pagina = new QLabel(this);
        c->addWidget(barra);
        c->addWidget(m_widget, 1);
        connect(m_widget, &QPrintPreviewWidget::paintRequested, this,
                [this](QPrinter* p) { desenharPaginas(*p, m_documento); });
        connect(m_widget, &QPrintPreviewWidget::previewChanged, this, [this] { atualizar(); });
        barra->addAction(QStringLiteral("|<"), this, [this] { ir(1); });
        barra->addAction(QStringLiteral("<"), this, [this] { ir(m_widget->currentPage() - 1); });
        barra->addWidget(m_pagina);
        barra->addAction(QStringLiteral(">"), this, [this] { ir(m_widget->currentPage() + 1); });
        barra->addAction(QStringLiteral(">|"), this, [this] { ir(m_widget->pageCount()); });
        barra->addSeparator();
        barra->addAction(QStringLiteral("Zoom +"), this, [this] { m_widget->zoomIn(); });
        barra->addAction(QStringLiteral("Zoom -"), this, [this] { m_widget->zoomOut(); });
        barra->addAction(QStringLiteral("100 %"), this, [this] { m_widget->setZoomFactor(1.0); });
        barra->addAction(QStringLiteral("Page Width"), this, [this] { m_widget->fitToWidth(); });
        barra->addSeparator();
        barra->addAction(QStringLiteral("Print"), this, [this] {
            QPrintDialog dialogo(&m_impressora, this);
            if (dialogo.exec() == QDialog::Accepted) {
                OpcoesSaida o;
                o.copias = m_impressora.copyCount();
                imprimir(m_impressora, m_documento, o);
            }
        });
        // A report saved as a snapshot opens again in the same window.
        barra->addAction(QStringLiteral("Open"), this, [this] {
            const QString nome =
                QFileDialog::getOpenFileName(this, QStringLiteral("Open"), {},
                                             QStringLiteral("Rave Snapshot File (NDR) (*.ndr)"));
            if (!nome.isEmpty()) {
                abrir(nome.toStdString());
            }
        });
        barra->addAction(QStringLiteral("Save"), this, [this] {
            const QString nome = QFileDialog::getSaveFileName(this, QStringLiteral("Save"), {},
                                                              DialogoSaida::filtros());
            if (!nome.isEmpty()) {
                salvarRelatorio(m_documento, nome.toStdString());
            }
        });
        m_widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_widget->setZoomFactor(1.0);
        m_widget->updatePreview();
        atualizar();
    }
    QPrintPreviewWidget* widget() const { return m_widget; }

    void abrir(const std::string& caminho)
    {
        std::ifstream f(caminho, std::ios::binary);
        std::stringstream conteudo;
        conteudo << f.rdbuf();
        m_documento = DocumentoRelatorio::desserializar(conteudo.str());
        m_widget->updatePreview();
        ir(1);
    }

private:
    void ir(int pagina)
    {
        m_widget->setCurrentPage(std::clamp(pagina, 1, std::max(1, m_widget->pageCount())));
        atualizar();
    }
    void atualizar()
    {
        m_pagina->setText(
            QStringLiteral(" %1 / %2 ").arg(m_widget->currentPage()).arg(m_widget->pageCount()));
    }

    QPrinter& m_impressora;
    DocumentoRelatorio m_documento;
    QPrintPreviewWidget* m_widget;
    QLabel* m_pagina;
};

} // namespace

std::optional<std::size_t> escolherPapel(const std::vector<std::string>& nomes,
                                         const std::string& papel)
{
    const QString procurado = QString::fromStdString(papel);
    for (std::size_t i = 0; i < nomes.size(); ++i) {
        if (QString::fromStdString(nomes[i]).contains(procurado, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return std::nullopt;
}

void imprimir(QPrinter& impressora, const DocumentoRelatorio& d, const OpcoesSaida& o,
              const std::function<void(int)>& folha)
{
    impressora.setDocName(QStringLiteral("ReportPrinter Report"));
    impressora.setCopyCount(o.copias);
    impressora.setCollateCopies(o.agrupar);
    impressora.setDuplex(o.duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
    desenharPaginas(impressora, d, o.deFolha, o.ateFolha, folha);
}

void abrirPreview(QWidget* janela, const DocumentoRelatorio& documento)
{
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setFullPage(true);
    JanelaPreview preview(janela, impressora, documento);
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
}

void ExecuteReport(QWidget* janela, const std::string& papel,
                   const std::function<DocumentoRelatorio()>& gerar)
{
    QPrinter impressora(QPrinter::HighResolution);
    // Margins 0.5 inch left and top and 0.25 bottom are laid out in the page
    // description; the printer draws from the paper's corner.
    impressora.setFullPage(true);
    // The paper by name, on the current printer's list.
    const QPrinterInfo atual = QPrinterInfo::printerInfo(impressora.printerName());
    std::vector<std::string> nomes;
    std::vector<QPageSize> tamanhos;
    if (!atual.isNull()) {
        const QList<QPageSize> suportados = atual.supportedPageSizes();
        tamanhos.assign(suportados.begin(), suportados.end());
    }
    if (tamanhos.empty()) {
        tamanhos = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5),
                    QPageSize(QPageSize::Letter)};
    }
    for (const auto& t : tamanhos) {
        nomes.push_back(t.name().toStdString());
    }
    if (const auto i = escolherPapel(nomes, papel)) {
        impressora.setPageSize(tamanhos[*i]);
    }
    impressora.setCopyCount(1);

    DialogoSaida dialogo(janela, impressora);
    if (dialogo.exec() != QDialog::Accepted) {
        return;
    }
    const OpcoesSaida o = dialogo.opcoes();

    JanelaStatus status(janela);
    DocumentoRelatorio documento;
    try {
        status.mostrar(QStringLiteral("Generating page %p"), 1);
        documento = gerar();
        status.mostrar(QStringLiteral("Generating page %p"),
                       static_cast<int>(documento.paginas.size()));
        status.hide();
        switch (o.destino) {
        case OpcoesSaida::Destino::Preview: {
            JanelaPreview preview(janela, impressora, documento);
            preview.setWindowState(Qt::WindowMaximized);
            preview.exec();
            break;
        }
        case OpcoesSaida::Destino::Impressora:
            imprimir(impressora, documento, o,
                     [&](int n) { status.mostrar(QStringLiteral("Printing page %p"), n); });
            break;
        case OpcoesSaida::Destino::Arquivo: {
            std::string caminho = o.arquivo;
            const auto& f = formatosArquivo()[o.formato];
            if (!formatoPorArquivo(caminho)) {
                caminho += "." + f.extensao;
            }
            salvarRelatorio(documento, caminho);
            break;
        }
        }
    } catch (const CancelarGeracao&) {
        // The status window's cancel: nothing is output.
    }
}

} // namespace zandoval
