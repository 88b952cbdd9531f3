#pragma once

#include "reader/ScreenplayText.h"

#include <QByteArray>

// Reads a Final Draft document (.fdx) into the printed layout of ScreenplayLayout: the
// paragraphs of the script's <Content> by their Type, the speeches of <DualDialogue> one
// after the other. The title page and everything else in the file are ignored.
ScreenplayText readFinalDraft(const QByteArray &bytes);
