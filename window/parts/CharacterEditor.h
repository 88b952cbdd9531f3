#pragma once

#include "dialogs/IncludeCharactersDialog.h"
#include "characters/Character.h"

#include <QObject>

class DocumentController;
class QWidget;

// The Characters menu and the text view's "Add Character": the Include Characters dialog
// (characters.txt, with forced colours), the colour files and a character named by the
// selected text. It edits the document's settings and the characters of the next parse.
class CharacterEditor : public QObject
{
    Q_OBJECT
public:
    CharacterEditor(DocumentController &document, QWidget *window);

    IncludeCharactersUi includeUi; // set while the Include Characters dialog is open

    // Characters > "Force Character": edit characters.txt in the Include Characters dialog.
    void showIncludeCharacters();
    // Characters > "Load Colors...": recolour the characters by position from a colour file.
    void loadColors(const QString &path);
    // A character named by `text` (its blank-separated words) joins the next parse.
    void addCharacter(const QString &text);

public slots:
    void addIncludeCharacter();
    void removeIncludeCharacter();
    void setIncludeCharacterColor();
    void loadChosenColors();
    void saveColors();
    void saveColorsAs();

signals:
    // The include list was shown anew (the text view shows the forced colours).
    void includeListShown();
    // The characters took the colours of a colour file.
    void charactersRecolored();

private:
    void refreshIncludeList();

    DocumentController &m_document;
    QWidget *m_window;
};
