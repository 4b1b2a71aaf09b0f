// make_sounds <out_dir>: writes the sixteen WAVE files of the sound scheme
// into an existing directory.
#include "event_chimes.h"
#include "file_output.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_sounds <out_dir>\n";
        return 2;
    }
    try {
        for (const EventChime& chime : EventChimes()) {
            std::string error;
            if (!WriteWholeFile(JoinPath(argv[1], chime.fileName), EncodeWave(RenderEventChime(chime)), error)) {
                std::cerr << "make_sounds: " << error << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "make_sounds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
