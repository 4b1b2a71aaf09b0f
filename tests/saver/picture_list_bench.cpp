// Timing of the picture list, run by `make bench` (not a test): over a tree
// that bench.sh makes, the first picture in order and shuffled, a whole
// round of each, and what the list holds in memory at the end of a round
// (its largest). Prints figures; asserts nothing.
//   picture_list_bench <tree> <files> <folders>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "bench_clock.h"
#include "imaging_runtime.h"
#include "picture_list.h"

using benchclock::Median;
using benchclock::Now;

namespace {

// Bytes of the process heap's blocks in use.
SIZE_T HeapInUse()
{
    HANDLE heap = GetProcessHeap();
    SIZE_T used = 0;
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = NULL;
    HeapLock(heap);
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            used += entry.cbData;
    }
    HeapUnlock(heap);
    return used;
}

unsigned long long PathHash(const char* path)
{
    unsigned long long hash = 14695981039346656037ULL;
    for (; *path; ++path)
        hash = (hash ^ static_cast<unsigned char>(*path)) * 1099511628211ULL;
    return hash;
}

// One start of the list over the tree: first picture, the rest of the round.
void Measure(const char* tree, long files, long folders, bool shuffle, std::vector<unsigned long long>* hashes)
{
    const char* mode = shuffle ? "shuffled" : "in order";
    PhotoSettings settings = {};
    lstrcpynA(settings.folders[0], tree, MAX_PATH);
    settings.folderCount = 1;
    settings.subfolders = 1;
    settings.shuffle = shuffle ? 1 : 0;
    hashes->clear();
    char path[MAX_PATH];

    SIZE_T before = HeapInUse();
    double start = Now();
    PictureList* list = OpenPictureList(&settings, NULL);
    BOOL found = list && NextPicturePath(list, path);
    double first = Now();
    if (!found) {
        printf("list: no picture in %s\n", tree);
        ClosePictureList(list);
        return;
    }
    hashes->push_back(PathHash(path));
    while (static_cast<long>(hashes->size()) < files && NextPicturePath(list, path))
        hashes->push_back(PathHash(path));
    double round = Now();
    SIZE_T held = HeapInUse() - before;
    ClosePictureList(list);

    std::sort(hashes->begin(), hashes->end());
    size_t distinct = std::unique(hashes->begin(), hashes->end()) - hashes->begin();
    printf("list first picture (%ld files, %ld folders, %s): %.1f ms\n", files, folders, mode, first - start);
    printf("list whole round (%ld files, %ld folders, %s): %.0f ms, %lu distinct pictures\n", files, folders, mode,
           round - start, static_cast<unsigned long>(distinct));
    printf("list memory at the round's end (%s): %lu bytes, %.1f bytes per file\n", mode,
           static_cast<unsigned long>(held), static_cast<double>(held) / static_cast<double>(files));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: picture_list_bench <tree> <files> <folders>\n");
        return 2;
    }
    long files = atol(argv[2]);
    long folders = atol(argv[3]);
    if (!StartImagingOnThread()) {
        fprintf(stderr, "COM cannot start\n");
        return 1;
    }
    double start = Now();
    DecodableExtensions();
    printf("decodable extensions found in %.1f ms\n", Now() - start);
    std::vector<unsigned long long> hashes;
    hashes.reserve(files > 0 ? files : 1);
    Measure(argv[1], files, folders, false, &hashes);
    Measure(argv[1], files, folders, true, &hashes);
    EndImagingOnThread();
    return 0;
}
