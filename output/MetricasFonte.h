#pragma once

#include "PaginaRelatorio.h"

#include <string>

namespace zandoval {

// How wide a text is and how far a font reaches below its baseline, in points.
class MetricasFonte
{
public:
    virtual ~MetricasFonte() = default;
    virtual double largura(const std::string& texto, const Fonte& fonte) = 0;
    virtual double descendente(const Fonte& fonte) = 0;
};

} // namespace zandoval
