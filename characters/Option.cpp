#include "characters/Option.h"
// TODO(options): implementation pending
Option::Option(const QString &n, qint32 *member) : name(n), intValue(member) {}
Option::Option(const QString &n, bool *member) : name(n), boolValue(member) {}
bool Option::readToken(const QStringList &, int) { return false; }
QString Option::configLine() { return QString(); }
QString Option::valueText() const { return QString(); }
