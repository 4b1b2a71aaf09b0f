// The slideshow's list of pictures: the chosen folders walked a few entries
// at a time, each round anew, in the file system's order or shuffled.
#include "picture_list.h"

#include <string.h>

#include "imaging_runtime.h"

namespace {

// Records are kept in blocks of 64 KB, allocated as the walk needs them and
// kept for the next round, so that the list never copies what it holds.
const DWORD kBlockBytes = 0x10000;

// A shuffled round walks for this long, or this many directory entries,
// per picture taken (longer while it has found none), so that the first
// picture comes early even from a slow share, and later ones are drawn from
// more and more of the tree.
const DWORD kShuffleStepEntries = 32768;
const DWORD kShuffleStepMs = 100;

// A subfolder adds at least two characters to a path of at most MAX_PATH.
const int kMaxDepth = MAX_PATH / 2 + 2;

// No folder (above a chosen one), or no name (memory was short).
const DWORD kNone = 0xFFFFFFFF;

struct Blocks {
    BYTE** blocks;
    DWORD count;     // blocks allocated
    DWORD capacity;  // entries of blocks
};

// Names without their folder, NUL-terminated, none across a block's end:
// an offset is the block number in its high word.
struct NamePool {
    Blocks store;
    DWORD used;  // offset of the next name
};

// Eight-byte records numbered from 0.
template <typename Record>
struct RecordArray {
    Blocks store;
    DWORD count;
};

struct FolderEntry {
    DWORD parent;  // kNone for a chosen folder, whose name is its path
    DWORD name;
};

struct FoundFile {
    DWORD folder;
    DWORD name;
};

// A folder being listed, then its subfolders being walked one by one: they
// were added to the folder table while it was listed, so they follow one
// another there.
struct WalkLevel {
    HANDLE find;  // INVALID_HANDLE_VALUE once listed
    DWORD folder;
    int pathLength;  // of the walk's path while this folder is on top
    DWORD nextChild;
    DWORD endChild;
};

enum WalkResult { WALK_ENTRY, WALK_PICTURE, WALK_DONE };

enum ListSource { SOURCE_CHOSEN, SOURCE_INSTALLED };

}  // namespace

struct PictureList {
    char chosen[MAX_PICTURE_FOLDERS][MAX_PATH];
    int chosenCount;
    char installed[MAX_PATH];  // the installed pictures directory, or empty
    BOOL subfolders;
    BOOL shuffle;
    const char* extensions;

    ListSource source;
    BOOL roundStarted;
    DWORD roundFound;  // pictures the round's walk has met so far
    DWORD roundShown;

    WalkLevel levels[kMaxDepth];
    int depth;  // 0: the walk is over
    char walkPath[MAX_PATH];
    WIN32_FIND_DATAA entry;
    BOOL entryPending;  // entry holds the top level's next entry

    NamePool names;
    RecordArray<FolderEntry> folders;
    RecordArray<FoundFile> unshown;  // shuffled rounds only

    char lastShown[MAX_PATH];
    ULONGLONG random;
};

namespace {

// ---- Blocks ------------------------------------------------------------
BYTE* BlockFor(Blocks* store, DWORD block)
{
    if (block < store->count)
        return store->blocks[block];
    // Offsets are 32 bits: 65536 blocks at most.
    if (block != store->count || block >= 0x10000)
        return NULL;
    if (store->count == store->capacity) {
        DWORD capacity = store->capacity ? store->capacity * 2 : 16;
        SIZE_T bytes = capacity * sizeof(BYTE*);
        void* grown = store->blocks ? HeapReAlloc(GetProcessHeap(), 0, store->blocks, bytes)
                                    : HeapAlloc(GetProcessHeap(), 0, bytes);
        if (!grown)
            return NULL;
        store->blocks = static_cast<BYTE**>(grown);
        store->capacity = capacity;
    }
    BYTE* memory = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, kBlockBytes));
    if (!memory)
        return NULL;
    store->blocks[store->count++] = memory;
    return memory;
}

void FreeBlocks(Blocks* store)
{
    for (DWORD i = 0; i < store->count; ++i)
        HeapFree(GetProcessHeap(), 0, store->blocks[i]);
    if (store->blocks)
        HeapFree(GetProcessHeap(), 0, store->blocks);
    store->blocks = NULL;
    store->count = 0;
    store->capacity = 0;
}

// The offset of a copy of the name, or kNone when memory is short.
DWORD AddName(NamePool* pool, const char* name)
{
    DWORD size = static_cast<DWORD>(strlen(name)) + 1;
    DWORD offset = pool->used;
    if ((offset & (kBlockBytes - 1)) + size > kBlockBytes)
        offset = (offset | (kBlockBytes - 1)) + 1;
    BYTE* block = BlockFor(&pool->store, offset >> 16);
    if (!block)
        return kNone;
    memcpy(block + (offset & (kBlockBytes - 1)), name, size);
    pool->used = offset + size;
    return offset;
}

const char* NameAt(const NamePool* pool, DWORD offset)
{
    return reinterpret_cast<const char*>(pool->store.blocks[offset >> 16] + (offset & (kBlockBytes - 1)));
}

template <typename Record>
Record* RecordAt(const RecordArray<Record>* array, DWORD index)
{
    const DWORD perBlock = kBlockBytes / sizeof(Record);
    return reinterpret_cast<Record*>(array->store.blocks[index / perBlock]) + index % perBlock;
}

template <typename Record>
BOOL AddRecord(RecordArray<Record>* array, const Record& record)
{
    const DWORD perBlock = kBlockBytes / sizeof(Record);
    if (!BlockFor(&array->store, array->count / perBlock))
        return FALSE;
    *RecordAt(array, array->count++) = record;
    return TRUE;
}

// ---- Random order --------------------------------------------------------
// Differs from one start to the next, and between two lists of one process.
ULONGLONG RandomSeed()
{
    static LONG opened = 0;
    LARGE_INTEGER counter;
    counter.QuadPart = 0;
    QueryPerformanceCounter(&counter);
    ULONGLONG seed = (static_cast<ULONGLONG>(GetTickCount()) << 32) ^ GetCurrentProcessId() ^
                     static_cast<ULONGLONG>(counter.QuadPart) ^
                     (static_cast<ULONGLONG>(InterlockedIncrement(&opened)) << 48);
    // One round of splitmix64 spreads the few bits that differ.
    seed += 0x9E3779B97F4A7C15ULL;
    seed = (seed ^ (seed >> 30)) * 0xBF58476D1CE4E5B9ULL;
    seed = (seed ^ (seed >> 27)) * 0x94D049BB133111EBULL;
    seed ^= seed >> 31;
    return seed ? seed : 1;
}

// xorshift64*: a number below count (count > 0).
DWORD RandomBelow(PictureList* list, DWORD count)
{
    list->random ^= list->random >> 12;
    list->random ^= list->random << 25;
    list->random ^= list->random >> 27;
    DWORD bits = static_cast<DWORD>((list->random * 0x2545F4914F6CDD1DULL) >> 32);
    return static_cast<DWORD>((static_cast<ULONGLONG>(bits) * count) >> 32);
}

// ---- Paths ---------------------------------------------------------------
int SeparatorAfter(const char* path, int length)
{
    return (length > 0 && path[length - 1] != '\\') ? 1 : 0;
}

// TRUE when "path\name" fits MAX_PATH with its NUL.
BOOL NameFits(const char* path, int length, const char* name)
{
    return length + SeparatorAfter(path, length) + lstrlenA(name) <= MAX_PATH - 1;
}

// Appends "\name" to a path of length bytes; FALSE, with the path left as
// it was, when the result would not fit.
BOOL AppendName(char* path, int* length, const char* name)
{
    if (!NameFits(path, *length, name))
        return FALSE;
    if (SeparatorAfter(path, *length))
        path[(*length)++] = '\\';
    lstrcpyA(path + *length, name);
    *length += lstrlenA(name);
    return TRUE;
}

// The full path of a folder of the table, from its chosen folder down.
BOOL FolderPath(const PictureList* list, DWORD folder, char* path, int* length)
{
    DWORD chain[kMaxDepth];
    int links = 0;
    for (DWORD at = folder; at != kNone && links < kMaxDepth; at = RecordAt(&list->folders, at)->parent)
        chain[links++] = at;
    *length = 0;
    path[0] = '\0';
    while (links > 0) {
        if (!AppendName(path, length, NameAt(&list->names, RecordAt(&list->folders, chain[--links])->name)))
            return FALSE;
    }
    return TRUE;
}

// A name that the ANSI code page cannot spell comes back with '?' in it;
// the short name still opens the file.
const char* UsableName(const WIN32_FIND_DATAA* entry)
{
    if (strchr(entry->cFileName, '?') && entry->cAlternateFileName[0])
        return entry->cAlternateFileName;
    return entry->cFileName;
}

BOOL HasPictureExtension(const char* name, const char* extensions)
{
    const char* dot = strrchr(name, '.');
    if (!dot || strchr(dot, '\\') || strchr(dot, '/') || dot[1] == '\0')
        return FALSE;
    char needle[40];
    size_t length = strlen(dot);
    if (length + 3 > sizeof needle)
        return FALSE;
    needle[0] = ';';
    for (size_t i = 0; i < length; ++i)
        needle[i + 1] = (dot[i] >= 'A' && dot[i] <= 'Z') ? static_cast<char>(dot[i] + 32) : dot[i];
    needle[length + 1] = ';';
    needle[length + 2] = '\0';
    return strstr(extensions, needle) != NULL;
}

// ---- The walk --------------------------------------------------------------
void CloseLevels(PictureList* list)
{
    while (list->depth > 0) {
        WalkLevel* level = &list->levels[--list->depth];
        if (level->find != INVALID_HANDLE_VALUE)
            FindClose(level->find);
    }
    list->entryPending = FALSE;
}

// Puts a new level on top for the folder, whose path is the walk's path
// plus its name (a chosen folder: its name is the path), and opens its
// listing. A folder that cannot be listed (missing, unreadable, a path too
// long) is a level already listed, with nothing in it.
void EnterFolder(PictureList* list, DWORD folder)
{
    const FolderEntry* entry = RecordAt(&list->folders, folder);
    const char* name = NameAt(&list->names, entry->name);
    int length = list->depth > 1 ? list->levels[list->depth - 1].pathLength : 0;
    WalkLevel* level = &list->levels[list->depth++];
    level->find = INVALID_HANDLE_VALUE;
    level->folder = folder;
    level->nextChild = list->folders.count;
    level->endChild = list->folders.count;
    list->walkPath[length] = '\0';
    BOOL fits = AppendName(list->walkPath, &length, name);
    level->pathLength = length;
    if (!fits || list->depth >= kMaxDepth)
        return;
    char pattern[MAX_PATH];
    int patternLength = length;
    memcpy(pattern, list->walkPath, length + 1);
    if (!AppendName(pattern, &patternLength, "*"))
        return;
    level->find = FindFirstFileA(pattern, &list->entry);
    list->entryPending = level->find != INVALID_HANDLE_VALUE;
}

// Looks at the top folder's next entry: a picture (in list->entry), another
// entry, or the walk's end. Subfolders met are added to the folder table,
// to be walked once their folder is listed.
WalkResult WalkStep(PictureList* list)
{
    if (list->depth == 0)
        return WALK_DONE;
    WalkLevel* level = &list->levels[list->depth - 1];
    if (level->find == INVALID_HANDLE_VALUE) {
        if (level->nextChild < level->endChild) {
            EnterFolder(list, level->nextChild++);
            return WALK_ENTRY;
        }
        --list->depth;
        return list->depth == 0 ? WALK_DONE : WALK_ENTRY;
    }
    if (!list->entryPending) {
        if (FindNextFileA(level->find, &list->entry)) {
            list->entryPending = TRUE;
        } else {
            FindClose(level->find);
            level->find = INVALID_HANDLE_VALUE;
            return WALK_ENTRY;
        }
    }
    list->entryPending = FALSE;
    const WIN32_FIND_DATAA* entry = &list->entry;
    const char* name = UsableName(entry);
    if ((entry->dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) || !strcmp(name, ".") ||
        !strcmp(name, ".."))
        return WALK_ENTRY;
    if (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // Junctions and links are passed over: one that points above itself
        // would be walked again and again.
        if (!list->subfolders || list->source != SOURCE_CHOSEN ||
            (entry->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return WALK_ENTRY;
        FolderEntry child = {level->folder, AddName(&list->names, name)};
        if (child.name != kNone && AddRecord(&list->folders, child))
            level->endChild = list->folders.count;
        return WALK_ENTRY;
    }
    if (!HasPictureExtension(name, list->extensions))
        return WALK_ENTRY;
    return NameFits(list->walkPath, level->pathLength, name) ? WALK_PICTURE : WALK_ENTRY;
}

// A new walk over the chosen folders, or over the installed directory.
void StartWalk(PictureList* list, ListSource source)
{
    CloseLevels(list);
    list->names.used = 0;
    list->folders.count = 0;
    list->unshown.count = 0;
    list->source = source;
    if (source == SOURCE_CHOSEN) {
        for (int i = 0; i < list->chosenCount; ++i) {
            FolderEntry root = {kNone, AddName(&list->names, list->chosen[i])};
            if (root.name != kNone)
                AddRecord(&list->folders, root);
        }
    } else if (list->installed[0]) {
        FolderEntry root = {kNone, AddName(&list->names, list->installed)};
        if (root.name != kNone)
            AddRecord(&list->folders, root);
    }
    // Level 0 lists nothing: its children are the walk's starting folders.
    WalkLevel* top = &list->levels[0];
    top->find = INVALID_HANDLE_VALUE;
    top->folder = kNone;
    top->pathLength = 0;
    top->nextChild = 0;
    top->endChild = list->folders.count;
    list->depth = 1;
}

void StartRound(PictureList* list)
{
    list->roundFound = 0;
    list->roundShown = 0;
    list->roundStarted = TRUE;
    StartWalk(list, list->chosenCount > 0 ? SOURCE_CHOSEN : SOURCE_INSTALLED);
}

// At the walk's end: a round that found nothing among the chosen folders
// goes on with the installed directory. FALSE when the round is over.
BOOL WalkFallsBack(PictureList* list)
{
    if (list->roundFound > 0 || list->source != SOURCE_CHOSEN)
        return FALSE;
    StartWalk(list, SOURCE_INSTALLED);
    return TRUE;
}

void RememberShown(PictureList* list, const char* path)
{
    lstrcpynA(list->lastShown, path, MAX_PATH);
    ++list->roundShown;
}

BOOL NextInOrder(PictureList* list, char* path)
{
    // A round that found pictures starts the next; one that found none,
    // even in the installed directory, ends the list.
    for (int rounds = 0; rounds < 2;) {
        switch (WalkStep(list)) {
        case WALK_PICTURE: {
            int length = list->levels[list->depth - 1].pathLength;
            memcpy(path, list->walkPath, length);
            path[length] = '\0';
            AppendName(path, &length, UsableName(&list->entry));
            ++list->roundFound;
            RememberShown(list, path);
            return TRUE;
        }
        case WALK_DONE:
            if (WalkFallsBack(list))
                break;
            if (list->roundFound == 0)
                return FALSE;
            StartRound(list);
            ++rounds;
            break;
        default:
            break;
        }
    }
    return FALSE;
}

// Walks one step's worth into the store of pictures not yet shown.
void WalkShuffleStep(PictureList* list)
{
    DWORD start = GetTickCount();
    for (DWORD entries = 1; list->depth > 0; ++entries) {
        if (WalkStep(list) == WALK_PICTURE) {
            FoundFile found = {list->levels[list->depth - 1].folder,
                               AddName(&list->names, UsableName(&list->entry))};
            if (found.name != kNone && AddRecord(&list->unshown, found))
                ++list->roundFound;
        }
        if (list->unshown.count > 0 && (entries >= kShuffleStepEntries ||
                                        ((entries & 63) == 0 && GetTickCount() - start >= kShuffleStepMs)))
            return;
    }
}

BOOL FoundPath(const PictureList* list, DWORD index, char* path)
{
    const FoundFile* found = RecordAt(&list->unshown, index);
    int length = 0;
    return FolderPath(list, found->folder, path, &length) &&
           AppendName(path, &length, NameAt(&list->names, found->name));
}

void TakeUnshown(PictureList* list, DWORD index)
{
    *RecordAt(&list->unshown, index) = *RecordAt(&list->unshown, list->unshown.count - 1);
    --list->unshown.count;
}

BOOL NextShuffled(PictureList* list, char* path)
{
    for (int rounds = 0; rounds < 2;) {
        WalkShuffleStep(list);
        DWORD count = list->unshown.count;
        if (count == 0) {
            if (WalkFallsBack(list))
                continue;
            if (list->roundFound == 0)
                return FALSE;
            StartRound(list);
            ++rounds;
            continue;
        }
        DWORD pick = RandomBelow(list, count);
        if (!FoundPath(list, pick, path)) {
            TakeUnshown(list, pick);
            continue;
        }
        // A round's first picture is not the one the last round ended on,
        // unless the walk has found nothing else.
        if (list->roundShown == 0 && !strcmp(path, list->lastShown)) {
            if (count > 1) {
                DWORD other = RandomBelow(list, count - 1);
                pick = other >= pick ? other + 1 : other;
                FoundPath(list, pick, path);
            } else if (list->depth > 0) {
                continue;
            }
        }
        TakeUnshown(list, pick);
        RememberShown(list, path);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

PictureList* OpenPictureList(const PhotoSettings* settings, const char* installedPath)
{
    PictureList* list = static_cast<PictureList*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PictureList)));
    if (!list)
        return NULL;
    if (settings) {
        for (LONG i = 0; i < settings->folderCount && i < MAX_PICTURE_FOLDERS; ++i) {
            // Trailing separators go ("D:\" is walked as "D:" + "\*").
            char* folder = list->chosen[list->chosenCount];
            lstrcpynA(folder, settings->folders[i], MAX_PATH);
            int length = lstrlenA(folder);
            while (length > 1 && (folder[length - 1] == '\\' || folder[length - 1] == '/'))
                folder[--length] = '\0';
            if (length > 0)
                ++list->chosenCount;
        }
        list->subfolders = settings->subfolders != 0;
        list->shuffle = settings->shuffle != 0;
    }
    if (installedPath && installedPath[0] && lstrlenA(installedPath) < MAX_PATH) {
        int length = lstrlenA(installedPath);
        lstrcpyA(list->installed, installedPath);
        if (!AppendName(list->installed, &length, "pictures"))
            list->installed[0] = '\0';
    }
    list->levels[0].find = INVALID_HANDLE_VALUE;
    list->random = RandomSeed();
    return list;
}

BOOL NextPicturePath(PictureList* list, char* path)
{
    if (!list)
        return FALSE;
    if (!list->extensions)
        list->extensions = DecodableExtensions();
    if (!list->roundStarted)
        StartRound(list);
    BOOL found = list->shuffle ? NextShuffled(list, path) : NextInOrder(list, path);
    if (!found) {
        // The next call looks again from the start.
        CloseLevels(list);
        list->roundStarted = FALSE;
        path[0] = '\0';
    }
    return found;
}

void ClosePictureList(PictureList* list)
{
    if (!list)
        return;
    CloseLevels(list);
    FreeBlocks(&list->names.store);
    FreeBlocks(&list->folders.store);
    FreeBlocks(&list->unshown.store);
    HeapFree(GetProcessHeap(), 0, list);
}

BOOL IsPictureFileName(const char* name)
{
    return name && HasPictureExtension(name, DecodableExtensions());
}
