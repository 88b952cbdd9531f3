#pragma once

#include "characters/Character.h"
#include "dialogs/IncludeCharactersDialog.h"

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
    // The characters added from the text that characters.txt does not name: they are gone
    // once the window closes, unless saveAddedCharacters keeps them.
    CharacterList unsavedCharacters() const;
    // Adds them to characters.txt; false (and why) when it cannot be written.
    bool saveAddedCharacters(QString *reason);

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
    // characters.txt was saved from the dialog: the next parse looks for what it names.
    void includeCharactersSaved();
    // The characters took the colours of a colour file.
    void charactersRecolored();
    // What became of a request that writes or reads a file, for the status bar.
    void written(const QString &path);
    void notDone(const QString &what, const QString &reason);
    void message(const QString &text);

private:
    void refreshIncludeList();
    void saveColorFile(const QString &path);

    DocumentController &m_document;
    QWidget *m_window;
    CharacterList m_addedCharacters; // by "Add Character", in the order added
};
