#pragma once

class QDialog;
class QDialogButtonBox;
class QListWidget;
class QPushButton;

// The widgets of the Include Characters dialog, built like a designer form. The pointers
// are valid only while the dialog is open; reset() forgets them when it closes.
class IncludeCharactersUi
{
public:
    QDialogButtonBox *buttonBox = nullptr;
    QListWidget *listWidget = nullptr;
    QPushButton *pushButton_AddIncludeCharacter = nullptr;
    QPushButton *pushButton_RemoveIncludeCharacter = nullptr;
    QPushButton *pushButton_ForceColor = nullptr;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
    void reset() { *this = IncludeCharactersUi(); }
};
