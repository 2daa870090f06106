#include "PlataformaQt.h"

#include <QApplication>
#include <QMessageBox>

namespace zandoval {

namespace {
void caixa(QMessageBox::Icon icone, const std::string& texto)
{
    QMessageBox m(icone, QStringLiteral("ZANDOVAL"), QString::fromStdString(quebrasDeLinha(texto)),
                  QMessageBox::Ok, QApplication::activeWindow());
    m.exec();
}
} // namespace

void PlataformaQt::mostrarMensagem(const std::string& texto)
{
    caixa(QMessageBox::Information, texto);
}

void PlataformaQt::relatarErro(const std::string& texto)
{
    caixa(QMessageBox::Critical, texto);
}

} // namespace zandoval
