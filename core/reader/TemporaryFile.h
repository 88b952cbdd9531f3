#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// The names of the temporary files that the atomic writes (TextFile::writeBytes and
// TextFile::AtomicWriter) fill before renaming them over their target, and the sweeping up of
// those that a killed process left behind. A temporary file lies in its target's folder and is
// named ".TARGET.PID-TAG.tmp": the hidden target name, the writing process and a random tag.
// Names without a process ("TARGET.TAG.tmp") are those of earlier versions.
namespace TemporaryFile {

// The name (without folder) of a temporary file for `target` (a name without folder).
QByteArray nameFor(const QByteArray &target, qint64 writer, quint32 tag);

struct NameParts
{
    QByteArray target; // the name it was to replace
    qint64 writer = 0; // the process that made it; 0 when the name does not say
};

// What a name made by nameFor says; nothing for any other name.
std::optional<NameParts> parse(const QByteArray &name);

// Whether a temporary file is for a target the caller wants swept up.
using TargetFilter = std::function<bool(const QByteArray &target)>;

// Removes the temporary files in `folder` that process `writer` made for an accepted target:
// what a process that was killed while it wrote left. Returns how many were removed.
int removeLeftBy(const QString &folder, qint64 writer, const TargetFilter &accepted);

// Removes the temporary files in `folder` for an accepted target that were last changed before
// `changedBefore` (milliseconds since the epoch) and whose writer no longer runs: what earlier,
// killed runs left. Returns how many were removed.
int removeStale(const QString &folder, qint64 changedBefore, const TargetFilter &accepted);

} // namespace TemporaryFile
