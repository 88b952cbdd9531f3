#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

struct CharacterFacts;
struct LocationFacts;
struct ScriptFacts;

// The text of the report, shared by the report view and its printed copy.

// The script facts as (label, value) rows.
QList<QPair<QString, QString>> scriptFactRows(const ScriptFacts &facts, const QString &fileName);

// One cell of a table: what it shows and what it sorts by.
struct ReportCell
{
    QString text;
    QVariant sortKey;
};

QStringList characterColumns();
std::vector<ReportCell> characterCells(const CharacterFacts &character);

QStringList locationColumns();
std::vector<ReportCell> locationCells(const LocationFacts &location);

// "1 3/8": pages with their eighths as a script breakdown writes them.
QString eighthsText(int eighths);
