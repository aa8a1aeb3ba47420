#pragma once

#include "model/music_box.h"

#include <QString>

#include <optional>

namespace zembra {

struct BoxFileResult;

// A box of one's own read from `path`, or, when it cannot be used, the message that says which
// file failed and which field is wrong. The box's id is the own box's id.
struct BoxFileLoad {
    std::optional<MusicBox> box;
    QString error; // in the program's language; empty when the box was read
};

BoxFileLoad LoadBoxFile(const QString& path);

// Why a read box file is refused, naming the field; empty when it was read.
QString BoxFileProblemText(const BoxFileResult& result);

} // namespace zembra
