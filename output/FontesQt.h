#pragma once

#include "MetricasFonte.h"

#include <QFont>

namespace zandoval {

// The Qt font for a listing font. The listing lays its columns out in
// characters, so the fixed-pitch families it offers ("Lucida Console",
// "Courrier New", "Courrier") fall back to a monospace family (DejaVu Sans
// Mono) where the system lacks them, instead of the proportional font the
// system would substitute. Other families are left to the system.
QFont fonteQt(const Fonte& fonte);

// Metrics measured as the PDF and the printer lay text out (not the screen's).
class MetricasQt : public MetricasFonte
{
public:
    double largura(const std::string& texto, const Fonte& fonte) override;
    double descendente(const Fonte& fonte) override;
};

} // namespace zandoval
