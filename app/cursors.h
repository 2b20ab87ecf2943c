// The four cursors of the table: the program's own from its resources, or
// the system's.
#pragma once

#include <QByteArray>
#include <QCursor>

#include "input_rules.h"

namespace varnok {

// A cursor of a Windows cursor file's bytes (its first picture and hot
// spot); nullopt for anything that is not one.
std::optional<QCursor> CursorFromCurData(const QByteArray& data);

// The table's cursor of a kind: the program's own ("CURARROW", "CURHAND",
// "CURWAIT", "CUREDIT") when `own` and it can be read, else the system's.
QCursor TableCursor(CursorKind kind, bool own);

}  // namespace varnok
