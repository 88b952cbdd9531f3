#pragma once

#include "ui_IncludeCharactersDialog.h"

// The widgets of the Include Characters dialog (IncludeCharactersDialog.ui). The pointers are
// valid only while the dialog is open; reset() forgets them when it closes.
class IncludeCharactersUi : public Ui::IncludeCharacters
{
public:
    IncludeCharactersUi() { reset(); }
    void reset()
    {
        buttonBox = nullptr;
        listWidget = nullptr;
        pushButton_AddIncludeCharacter = nullptr;
        pushButton_RemoveIncludeCharacter = nullptr;
        pushButton_ForceColor = nullptr;
    }
};
