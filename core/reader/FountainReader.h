#pragma once

#include "reader/ScreenplayText.h"

#include <QByteArray>

// Reads Fountain source (UTF-8 or Latin-1, with or without a byte-order mark) into the
// printed layout of ScreenplayLayout. The title page, sections, synopses, notes and the
// boneyard are left out; cues keep their extensions ("BOB (V.O.)"), dual dialogue becomes
// the two speeches one after the other, and "===" page breaks become page markers.
ScreenplayText readFountain(const QByteArray &bytes);
