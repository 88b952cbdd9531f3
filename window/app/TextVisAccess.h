#pragma once

#include "app/textVis.h"
#include "parts/AutomateController.h"
#include "parts/BreakStringPanel.h"
#include "parts/CharacterEditor.h"
#include "parts/CharacterPanel.h"
#include "ui_textVis.h"

// The window's parts and form, for the programs that drive the window from outside: its tests
// and the benchmarks that time and picture it.
struct TextVisTestAccess
{
    static Ui::textVisClass &form(textVis &window) { return *window.m_form; }
    static DocumentController &document(textVis &window) { return window.m_document; }
    static AutomateController &automate(textVis &window) { return *window.m_automate; }
    static CharacterEditor &characterEditor(textVis &window) { return *window.m_characterEditor; }
    static CharacterPanel &characterPanel(textVis &window) { return *window.m_characterPanel; }
    static BreakStringPanel &breakStringPanel(textVis &window)
    {
        return *window.m_breakStringPanel;
    }
    static OptionList &options(textVis &window) { return window.m_options; }
    static QPoint &contextMenuPos(textVis &window) { return window.m_contextMenuPos; }
};

inline Ui::textVisClass &formOf(textVis &window)
{
    return TextVisTestAccess::form(window);
}

inline DocumentController &documentOf(textVis &window)
{
    return TextVisTestAccess::document(window);
}
