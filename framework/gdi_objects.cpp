// CGdiObject and CPalette.
#include "gdi_objects.h"

#include "temp_map.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CPalette, CGdiObject)

namespace {
CTempMap<HPALETTE, CPalette>& TempPalettes()
{
    static CTempMap<HPALETTE, CPalette> map;
    return map;
}
}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    m_bOwned = TRUE;
    return TRUE;
}

void CGdiObject::AttachTemporary(HGDIOBJ hObject)
{
    m_hObject = hObject;
    m_bOwned = FALSE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = Detach();
    if (!hObject || !m_bOwned)
        return FALSE;
    return ::DeleteObject(hObject);
}

CPalette* CPalette::FromHandle(HPALETTE hPalette)
{
    return hPalette ? TempPalettes().Lookup(hPalette) : NULL;
}

void CPalette::DeleteTempMap() { TempPalettes().Clear(); }

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }

int CPalette::GetEntryCount()
{
    WORD count = 0;
    if (!::GetObjectA(m_hObject, sizeof count, &count))
        return 0;
    return count;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

BOOL CPalette::ResizePalette(UINT nNumEntries) { return ::ResizePalette((HPALETTE)m_hObject, nNumEntries); }

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}
