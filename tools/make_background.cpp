// make_background <out.bmp>: writes the setup program's 640 x 480, 8-bit
// background picture.
#include "file_output.h"
#include "splash_screen.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_background <out.bmp>\n";
        return 2;
    }
    try {
        std::string error;
        if (!WriteWholeFile(argv[1], EncodeIndexedBmp(SplashScreenBitmap()), error)) {
            std::cerr << "make_background: " << error << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "make_background: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
