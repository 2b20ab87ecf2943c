// Licence notes of the built resources: which free deck each card design and
// back comes from, under which licence, with the copyright files of the
// Debian packages they were taken from.
#pragma once

#include <QString>

#include "deck_table.h"

namespace varnok::builder {

// The note for one place ("builtin" or a library file name).
QString LicenceText(const QString& resources, const DeckTable& table, const QString& place);

}  // namespace varnok::builder
