#pragma once

#include <QString>
#include <string>

// Qt holds file names as QString, and a name whose bytes are not UTF-8 does not
// survive the trip: its odd bytes come back as U+FFFD. This finds the bytes again.
//
// The path's bytes: as encoded when that exists or cannot be told apart; otherwise
// the entry of its folder that Qt shows under the same name, when exactly one does.
std::string FileNameBytes(const QString& path);
