#pragma once

#include "characters/Option.h"

#include <QDialog>

// The batch settings: a delay row and three check boxes in the options-dialog frame. The
// rows start from the members' current values; the members take the rows' values only when
// the dialog is accepted.
class AutomateDialog : public QDialog
{
    Q_OBJECT
public:
    AutomateDialog(qint32 &delayMs, bool &writeImages, bool &writeSceneStats,
                   bool &writeCharacterStats);
    ~AutomateDialog() override;

    // Runs the dialog modally; returns whether it was accepted.
    bool ask();

private:
    // In the order of the rows, top to bottom.
    Option m_delay;
    Option m_writeImages;
    Option m_writeSceneStats;
    Option m_writeCharacterStats;
};
