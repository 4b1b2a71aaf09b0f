// make_pictures <samples_dir> <dist_pictures_dir>: writes the sample
// pictures used by the tests and the pictures of the distribution medium.
// Both directories must exist.
#include "file_output.h"
#include "picture_catalogue.h"

#include <exception>
#include <iostream>

namespace {

bool WritePicture(const std::string& dir, const VrxSamples::SamplePicture& picture, int distributionNumber)
{
    std::string error;
    if (!WriteWholeFile(JoinPath(dir, picture.fileName), RenderPicture(picture, distributionNumber), error)) {
        std::cerr << "make_pictures: " << error << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_pictures <samples_dir> <dist_pictures_dir>\n";
        return 2;
    }
    try {
        for (const VrxSamples::SamplePicture& picture : VrxSamples::kSamplePictures)
            if (!WritePicture(argv[1], picture, 0))
                return 1;
        int number = 0;
        for (const VrxSamples::SamplePicture& picture : VrxSamples::kDistributionPictures)
            if (!WritePicture(argv[2], picture, ++number))
                return 1;
    } catch (const std::exception& e) {
        std::cerr << "make_pictures: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
