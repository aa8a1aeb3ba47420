#pragma once

#include "model/crank.h"

#include <QString>

namespace zembra {

// The crank's figures in full, as `info` prints them and the window's tool tips repeat them:
// turns a minute, playing seconds and metres of card, with the words for a crank too fast for a
// hand; "-" when there are none.
QString CrankText(const CrankFigures& crank);

// The same, short enough for a status bar pane: the playing time in minutes and seconds.
QString CrankPaneText(const CrankFigures& crank);

} // namespace zembra
