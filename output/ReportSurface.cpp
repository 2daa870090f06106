#include "ReportSurface.h"

namespace zandoval {

ReportSurface::ReportSurface(DocumentoRelatorio& documento, MetricasFonte& metricas,
                             Margens margens)
    : m_doc(documento)
    , m_metricas(metricas)
    , m_margens(margens)
{
    m_doc.paginas.emplace_back();
    m_linhaAltura = alturaLinha();
    m_linhaDescendente = descendente();
    m_x = margemEsquerda();
    m_y = margemSuperior() + m_linhaAltura - m_linhaDescendente;
}

double ReportSurface::alturaLinha() const
{
    return pontosParaUnidades(1.2 * m_fonte.tamanho);
}

double ReportSurface::descendente() const
{
    return pontosParaUnidades(m_metricas.descendente(m_fonte));
}

double ReportSurface::margemEsquerda() const
{
    return m_margens.esquerda * DocumentoRelatorio::kUnidadesPorPolegada;
}

double ReportSurface::margemSuperior() const
{
    return m_margens.superior * DocumentoRelatorio::kUnidadesPorPolegada;
}

void ReportSurface::SelectFont(const std::string& name, double size)
{
    if (size <= 0) {
        return;
    }
    m_fonte = Fonte{name, size, false, false};
}

void ReportSurface::PrintAt(const std::string& text, double x)
{
    m_x = x;
    PrintAtCursor(text);
}

void ReportSurface::PrintAtCursor(const std::string& text)
{
    m_doc.paginas.back().textos.push_back({m_x, m_y, text, m_fonte});
    m_x += pontosParaUnidades(m_metricas.largura(text, m_fonte));
}

void ReportSurface::MoveTo(double x, double y)
{
    m_x = x;
    m_y = y;
}

void ReportSurface::NewLine()
{
    m_x = margemEsquerda();
    m_linhaAltura = alturaLinha();
    m_linhaDescendente = descendente();
    m_y += m_linhaAltura;
}

void ReportSurface::NewPage()
{
    m_doc.paginas.emplace_back();
    m_linhaAltura = alturaLinha();
    m_linhaDescendente = descendente();
    m_x = margemEsquerda();
    m_y = margemSuperior() + m_linhaAltura - m_linhaDescendente;
}

void ReportSurface::RefreshLineMetrics()
{
    const double topo = m_y - (m_linhaAltura - m_linhaDescendente);
    m_linhaAltura = alturaLinha();
    m_linhaDescendente = descendente();
    m_y = topo + m_linhaAltura - m_linhaDescendente;
}

} // namespace zandoval
