#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Binds one key of a settings file to an int or bool member it does not own. The dialog
// rows are made by createWidget (OptionWidgets.h), which records the value widget here.
class Option : public QObject
{
    Q_OBJECT
public:
    Option(const QString &name, qint32 *member);
    Option(const QString &name, bool *member);

    QString name;
    qint32 *intValue = nullptr;
    bool *boolValue = nullptr;
    QObject *widget = nullptr;      // the check box, or the row layout of label and spin box
    QObject *valueWidget = nullptr; // the check box or the spin box that holds the value
    // The range an int value is read in; a value outside it leaves the member as it is.
    qint32 minimum = -1;
    qint32 maximum = 99999999;

    // True when tokens[i] is this key (ignoring case); the value token i + 1 is then applied.
    // A value that is not True or False, not a whole number or out of range, or missing,
    // leaves the member as it is, and `problem` (when given) says so in words for the user.
    bool readToken(const QStringList &tokens, int i, QString *problem = nullptr);
    // Takes the widget's value into the member (when there is a widget), then returns
    // "key value\n" with booleans written True / False.
    QString configLine();
    QString valueText() const;
};
