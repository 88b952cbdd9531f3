#include "threads/StrokeFontText.h"

#include <QString>

#include <gtest/gtest.h>

TEST(StrokeFontText, TypographyAndAccentsBecomePlainAscii)
{
    EXPECT_EQ(strokeFontText(QStringLiteral("CONT\u2019D")), QByteArray("CONT'D"));
    EXPECT_EQ(strokeFontText(QStringLiteral("\u201CHi\u201D \u2014 ok\u2026")),
              QByteArray("\"Hi\" - ok..."));
    EXPECT_EQ(strokeFontText(QStringLiteral("Jos\u00E9 Zo\u00EB \u00C5NGSTR\u00D6M")),
              QByteArray("Jose Zoe ANGSTROM"));
    // Already decomposed: the combining acute accent is dropped.
    EXPECT_EQ(strokeFontText(QStringLiteral("Rene\u0301e")), QByteArray("Renee"));
    EXPECT_EQ(strokeFontText(QStringLiteral("Stra\u00DFe \u00C6SIR \u0141UKASZ")),
              QByteArray("Strasse AESIR LUKASZ"));
}

TEST(StrokeFontText, WhatHasNoGlyphIsAQuestionMark)
{
    EXPECT_EQ(strokeFontText(QStringLiteral("\u674E A\tB")), QByteArray("? A?B"));
    EXPECT_EQ(strokeFontText(QString()), QByteArray());
}
