// Windows-1252 texts and the number and date forms the program writes.
#include "Cp1252.h"
#include "Value.h"

#include <gtest/gtest.h>

using namespace zandoval;
using namespace std::chrono;

TEST(Cp1252, RoundTripOfPortugueseTexts)
{
    struct Caso
    {
        const char* utf8;
        const char* bytes;
    };
    const Caso casos[] = {
        {"Ácido Fólico", "\xC1"
                         "cido F\xF3lico"},
        {"Orçam", "Or\xE7"
                  "am"},
        {"Próprio", "Pr\xF3prio"},
        {"€ “aspas” – ™", "\x80 \x93"
                          "aspas\x94 \x96 \x99"},
        {"D'Ávila Insumos", "D'\xC1vila Insumos"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(paraCp1252(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(deCp1252(c.bytes), c.utf8) << c.utf8;
    }
    EXPECT_EQ(paraCp1252("Ácido Fólico").size(), 12u);
    EXPECT_EQ(paraCp1252("Orçam").size(), 5u);
}

TEST(Cp1252, WhatItCannotHoldBecomesAQuestionMark)
{
    EXPECT_EQ(paraCp1252("π≈3"), "??3");
    EXPECT_EQ(paraCp1252("a\xFF"
                         "b"),
              "a?b");                   // malformed UTF-8
    EXPECT_EQ(paraCp1252("\xC3"), "?"); // cut sequence
    // The bytes Windows-1252 leaves undefined survive a round trip.
    EXPECT_EQ(paraCp1252(deCp1252("\x81\x8D\x8F\x90\x9D")), "\x81\x8D\x8F\x90\x9D");
}

TEST(Cp1252, UpperCaseTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(maiusculasAscii("Cápsula"), "CáPSULA");
    EXPECT_EQ(maiusculasAscii("mcg ug"), "MCG UG");
    EXPECT_EQ(prefixoUtf8("Orçamento", 3), "Orç");
    EXPECT_EQ(tamanhoUtf8("Orçam"), 5u);
}

TEST(Decimal, RoundsToSixPlacesHalvesAwayFromZero)
{
    struct Caso
    {
        double valor;
        std::int64_t unidades;
    };
    const Caso casos[] = {
        {0.25, 250000},
        {0.0000004, 0},
        {0.0000005, 1},
        {-0.0000005, -1},
        {1.0 / 3.0, 333333},
        {2.0 / 3.0, 666667},
        {12345678.1234565, 12345678123457},
        {0.1 + 0.2, 300000},
        {1e-12, 0},
        {0, 0},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Decimal::fromDouble(c.valor, -6).units, c.unidades) << c.valor;
    }
    EXPECT_EQ((Decimal{1234567, -6}.rescaled(-2)), (Decimal{123, -2}));
    EXPECT_EQ((Decimal{-125, -3}.rescaled(-2).units), -13);
    EXPECT_EQ((Decimal{30400000, -6}.toString()), "30.4");
    EXPECT_EQ((Decimal{-500000, -6}.toString()), "-0.5");
}

TEST(Value, TextForms)
{
    EXPECT_EQ(Value().asString(), "");
    EXPECT_EQ(Value(4711).asString(), "4711");
    EXPECT_EQ(Value(0.25).asString(), "0.25");
    EXPECT_EQ(Value(1e-7).asString(), "1E-7");
    EXPECT_EQ(Value(Decimal{3750000, -6}).asString(), "3.75");
    EXPECT_EQ(Value(Date{year{2008}, month{3}, day{1}}).asString(), "01/03/08");
    EXPECT_EQ(Value("12.5").asDouble(), 12.5);
    EXPECT_EQ(Value("x").asDouble(), 0.0);
    EXPECT_EQ(Value(2.5).asInt(), 3);
    // Exact numbers at a scale: never fewer places than the value has.
    EXPECT_EQ(Value(Decimal{1234, -2}).asDecimal(-6), (Decimal{12340000, -6}));
    EXPECT_EQ(Value(Decimal{1234567, -7}).asDecimal(-6).scale, -7);
    EXPECT_EQ(Value(0.125).asDecimal(-2), (Decimal{13, -2}));
    EXPECT_EQ(Value().asDecimal(-6), (Decimal{0, -6}));
}

TEST(Value, ReadsDayMonthYearDates)
{
    EXPECT_EQ(lerData("28/12/07"), (Date{year{2007}, month{12}, day{28}}));
    EXPECT_EQ(lerData("31/01/2008"), (Date{year{2008}, month{1}, day{31}}));
    EXPECT_EQ(lerData("01/03/76"), (Date{year{1976}, month{3}, day{1}}));
    for (const char* ruim : {"31/02/08", "2008-01-31", "1/1", "", "13/13/13", "01/01/123"}) {
        EXPECT_FALSE(lerData(ruim)) << ruim;
    }
}
