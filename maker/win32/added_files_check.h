#pragma once
// The check a file passes before the Pictures or Music page adds it, as the command line
// checks it: a picture must decode, a music file must be WAV, MP3 or MIDI by its first
// bytes. The refused files are taken out of the list and returned with their reasons; a
// file that is not there is left for the page, which names it as it always has.
// A maker built without its codec libraries checks nothing.

#include <string>
#include <vector>

#include "maker/project/input_problems.h"

namespace gd {

std::vector<RefusedFile> TakeRefusedPictures(std::vector<std::string>& paths);
std::vector<RefusedFile> TakeRefusedMusic(std::vector<std::string>& paths);

}  // namespace gd
