// Reads a dialog template resource, plain or extended, into a plain record
// that tests compare with the layout the program must carry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    WORD classOrdinal = 0;  // 0x80 button, 0x81 edit, 0x82 static, 0x84 scroll bar; 0 when named
    std::string className;  // when given by name
    std::string text;       // Windows-1252
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string typeface;
    std::vector<TemplateItem> items;
};

// Parses the template at data (size bytes); false when it is cut short.
bool ParseDialogTemplate(const void* data, DWORD size, DialogTemplate* out);
