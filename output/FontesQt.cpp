#include "FontesQt.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>

namespace zandoval {

namespace {

bool familiaDeLarguraFixa(const std::string& familia)
{
    return familia == "Lucida Console" || familia == "Courrier New" || familia == "Courrier" ||
           familia == "Courier New" || familia == "Courier";
}

// One device, at the PDF's resolution, for every measurement.
QPdfWriter& dispositivo()
{
    static QPdfWriter* pdf = [] {
        auto* w = new QPdfWriter(QString());
        w->setResolution(1200);
        return w;
    }();
    return *pdf;
}

} // namespace

QFont fonteQt(const Fonte& fonte)
{
    const QString familia = QString::fromStdString(fonte.familia);
    QFont f(familia);
    f.setPointSizeF(fonte.tamanho);
    f.setBold(fonte.negrito);
    f.setUnderline(fonte.sublinhado);
    if (familiaDeLarguraFixa(fonte.familia) && !QFontDatabase::families().contains(familia)) {
        f.setFamilies(
            {familia, QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
        f.setStyleHint(QFont::TypeWriter);
    }
    return f;
}

double MetricasQt::largura(const std::string& texto, const Fonte& fonte)
{
    const QFontMetricsF m(fonteQt(fonte), &dispositivo());
    return m.horizontalAdvance(QString::fromStdString(texto)) * 72.0 / dispositivo().resolution();
}

double MetricasQt::descendente(const Fonte& fonte)
{
    const QFontMetricsF m(fonteQt(fonte), &dispositivo());
    return m.descent() * 72.0 / dispositivo().resolution();
}

} // namespace zandoval
