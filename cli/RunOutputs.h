#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CliOptions;
struct SettingsPaths;

// The files a run writes, and the rule that none of them may be one of the files it reads.
namespace RunOutputs {

// What the run writes next to one screenplay: its path with these endings.
QStringList besideScreenplay(const QString &screenplay, const CliOptions &options);

// Whether a file name is one the tool writes next to a screenplay, whatever the options:
// a screenplay's name (with a suffix the reader takes) and one of the endings.
bool isOutputName(const QByteArray &name);

// Why the run must not start: an output that is one of its inputs (a screenplay, the file
// list, a settings file) or would replace one, or the corpus table that would replace another
// output of the run. Empty when there is none.
QString clashWithInputs(const QStringList &screenplays, const CliOptions &options,
                        const SettingsPaths &settings);

// Whether the file starts as a corpus table does: a folder walk leaves it out, since it is
// the table of an earlier run about to be replaced, not a screenplay.
bool isCorpusTable(const QString &path);

} // namespace RunOutputs
