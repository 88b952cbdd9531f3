#pragma once

class Option;
class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QObject;
class QVBoxLayout;
class QWidget;

// The dialog rows of options and the dialog they sit in. Used by the "Parsing" options
// dialog and by the batch settings dialog.

// A check box (bool option) or a row of label and spin box (int option) on `parent`, added
// to `layout`. Records the new widget and its value widget in the option; returns the widget,
// or null when the option is bound to nothing.
QObject *createWidget(Option &option, QWidget *parent, QBoxLayout *layout);
// Shows the key, translated in the "OptionsDialog" context, as the row's text.
void retranslate(Option &option);
// The rows die with their dialog; the option must not keep pointing at them.
void forgetWidget(Option &option);

struct OptionsDialogFrame
{
    QDialogButtonBox *buttonBox = nullptr;
    QWidget *verticalLayoutWidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr; // the rows go here
};

// The frame of OptionsDialog.ui: Ok / Cancel and an empty vertical layout on the dialog,
// named "OptionsDialog" unless it already has a name.
OptionsDialogFrame setupOptionsDialog(QDialog &dialog);
void retranslateOptionsDialog(QDialog &dialog);
