// Parser of DLGTEMPLATE and DLGTEMPLATEEX resources for the tests.
#include "dialog_template.h"

#include <string.h>

namespace {

class Reader {
public:
    Reader(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }

    WORD Word()
    {
        WORD value = 0;
        Take(&value, sizeof value);
        return value;
    }
    DWORD Dword()
    {
        DWORD value = 0;
        Take(&value, sizeof value);
        return value;
    }
    BYTE Byte()
    {
        BYTE value = 0;
        Take(&value, sizeof value);
        return value;
    }
    short Short() { return static_cast<short>(Word()); }

    void AlignToDword() { offset_ = (offset_ + 3) & ~static_cast<DWORD>(3); }
    void Skip(DWORD count)
    {
        if (offset_ + count > size_)
            ok_ = false;
        offset_ += count;
    }

    // A NUL-terminated UTF-16 text, converted to Windows-1252.
    std::string Text()
    {
        std::wstring wide;
        for (WORD c = Word(); ok_ && c != 0; c = Word())
            wide.push_back(static_cast<wchar_t>(c));
        if (wide.empty())
            return std::string();
        char buffer[1024];
        int length = WideCharToMultiByte(1252, 0, wide.c_str(), static_cast<int>(wide.size()), buffer,
                                         sizeof buffer, NULL, NULL);
        return std::string(buffer, length > 0 ? length : 0);
    }

    // sz_Or_Ord: nothing, an ordinal after 0xFFFF, or a text.
    void NameOrOrdinal(WORD* ordinal, std::string* name)
    {
        WORD first = Word();
        *ordinal = 0;
        name->clear();
        if (first == 0)
            return;
        if (first == 0xFFFF) {
            *ordinal = Word();
            return;
        }
        offset_ -= sizeof(WORD);
        *name = Text();
    }

private:
    void Take(void* destination, DWORD count)
    {
        if (!ok_ || offset_ + count > size_) {
            ok_ = false;
            return;
        }
        memcpy(destination, data_ + offset_, count);
        offset_ += count;
    }

    const BYTE* data_;
    DWORD size_;
    DWORD offset_ = 0;
    bool ok_ = true;
};

}  // namespace

bool ParseDialogTemplate(const void* data, DWORD size, DialogTemplate* out)
{
    Reader r(static_cast<const BYTE*>(data), size);
    DialogTemplate t;
    WORD count = 0;
    t.extended = size >= 4 && r.Word() == 1 && r.Word() == 0xFFFF;
    if (t.extended) {
        r.Dword();  // help id
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        r = Reader(static_cast<const BYTE*>(data), size);
        t.style = r.Dword();
        t.exStyle = r.Dword();
    }
    count = r.Word();
    t.x = r.Short();
    t.y = r.Short();
    t.cx = r.Short();
    t.cy = r.Short();
    WORD ordinal;
    std::string name;
    r.NameOrOrdinal(&ordinal, &name);  // menu
    r.NameOrOrdinal(&ordinal, &name);  // class
    t.caption = r.Text();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        if (t.extended) {
            r.Word();  // weight
            r.Byte();  // italic
            r.Byte();  // character set
        }
        t.typeface = r.Text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        TemplateItem item;
        r.AlignToDword();
        if (t.extended) {
            r.Dword();  // help id
            item.exStyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exStyle = r.Dword();
        }
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = t.extended ? static_cast<int>(r.Dword()) : static_cast<short>(r.Word());
        r.NameOrOrdinal(&item.classOrdinal, &item.className);
        WORD textOrdinal;
        r.NameOrOrdinal(&textOrdinal, &item.text);
        r.Skip(r.Word());  // creation data
        t.items.push_back(item);
    }
    if (!r.ok())
        return false;
    *out = t;
    return true;
}
