// Composing and showing the uninstaller's closing message: success with the
// folders it kept and the note on its own removal, or the list of what is left.
#include "removal_report.h"

#include "res/resource.h"

namespace {

// A message box stays readable: longer lists end with a count of the rest.
const size_t kMaxListedFailures = 12;

}  // namespace

std::string FillIn(const std::string& pattern, const std::string& argument)
{
    std::string result;
    size_t start = 0;
    for (;;) {
        size_t mark = pattern.find("%s", start);
        if (mark == std::string::npos)
            break;
        result.append(pattern, start, mark - start);
        result.append(argument);
        start = mark + 2;
    }
    result.append(pattern, start, std::string::npos);
    return result;
}

std::string LoadText(UINT id)
{
    char buffer[1024];
    int length = LoadStringA(GetModuleHandleA(NULL), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

namespace {

void AppendList(std::string& text, UINT heading, const std::vector<std::string>& items)
{
    if (items.empty())
        return;
    text += "\n\n" + LoadText(heading);
    for (size_t i = 0; i < items.size() && i < kMaxListedFailures; ++i)
        text += "\n" + items[i];
    if (items.size() > kMaxListedFailures)
        text += "\n" + FillIn(LoadText(IDS_MORE_ITEMS), std::to_string(items.size() - kMaxListedFailures));
}

// What was left on purpose: the same in a full and in a partial removal.
void AppendNotes(std::string& text, const RemovalReport& report)
{
    AppendList(text, IDS_FILES_KEPT, report.keptFiles);
    AppendList(text, IDS_NO_FILE_RECORD, report.unrecordedFolders);
    if (report.previousSaverLost)
        text += "\n\n" + LoadText(IDS_SAVER_NOT_RESTORED);
}

}  // namespace

std::string ComposeReport(const RemovalReport& report)
{
    std::string text;
    if (report.Succeeded()) {
        text = LoadText(IDS_REMOVED);
        AppendList(text, IDS_FOLDERS_KEPT, report.keptFolders);
        AppendNotes(text, report);
        if (!report.selfPath.empty()) {
            text += "\n\n";
            text += report.selfRemovalScheduled ? LoadText(IDS_SELF_SCHEDULED)
                                                : FillIn(LoadText(IDS_SELF_NOT_SCHEDULED), report.selfPath);
        }
        return text;
    }
    text = LoadText(IDS_NOT_ALL_REMOVED);
    for (size_t i = 0; i < report.failures.size() && i < kMaxListedFailures; ++i)
        text += "\n" + report.failures[i];
    if (report.failures.size() > kMaxListedFailures)
        text += "\n" + FillIn(LoadText(IDS_MORE_ITEMS), std::to_string(report.failures.size() - kMaxListedFailures));
    AppendNotes(text, report);
    text += "\n\n" + LoadText(IDS_RUN_AGAIN);
    return text;
}

int ShowUninstallMessage(const std::string& text, UINT style)
{
    std::string caption = LoadText(IDS_PRODUCT_NAME);
    return MessageBoxA(NULL, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
}
