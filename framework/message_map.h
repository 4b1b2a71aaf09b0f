// Message maps: tables that route window messages and commands to member
// handlers, searched from the most derived class to its bases.
#pragma once

#include <windows.h>

#include <string.h>

class CCmdTarget;
class CWnd;

// Handler shapes a table entry can hold.
enum AfxSig {
    AfxSig_end = 0,
    AfxSig_cmd,        // void ()  : WM_COMMAND commands and control notifications
    AfxSig_v_v,        // void ()  : WM_DESTROY, WM_PAINT, WM_CLOSE
    AfxSig_i_create,   // int (LPCREATESTRUCT) : WM_CREATE
    AfxSig_v_uii,      // void (UINT, int, int) : WM_SIZE
    AfxSig_v_u,        // void (UINT) : WM_TIMER
    AfxSig_v_uuu,      // void (UINT, UINT, UINT) : WM_KEYDOWN
    AfxSig_v_bu,       // void (BOOL, UINT) : WM_SHOWWINDOW
    AfxSig_v_w,        // void (CWnd*) : WM_SETFOCUS
};

typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message, WM_COMMAND for commands
    UINT nCode;     // notification code (0 for menu commands and BN_CLICKED)
    UINT nID;       // command or control identifier
    AfxSig nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                      \
protected:                                         \
    static const AFX_MSGMAP* GetThisMessageMap();  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                      \
    {                                                                                    \
        typedef theClass ThisClass [[maybe_unused]];                                     \
        typedef baseClass TheBaseClass;                                                  \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                      \
    {0, 0, 0, AfxSig_end, (AFX_PMSG)0}};                                       \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                           \
    }

// A handler of another shape kept in a table slot, and taken out again by
// the dispatcher, which knows the shape from the entry's signature.
template <typename F>
inline AFX_PMSG AfxToSlot(F handler)
{
    static_assert(sizeof(F) == sizeof(AFX_PMSG), "member pointers of one size");
    AFX_PMSG slot;
    memcpy(&slot, &handler, sizeof slot);
    return slot;
}
template <typename F>
inline F AfxFromSlot(AFX_PMSG slot)
{
    static_assert(sizeof(F) == sizeof(AFX_PMSG), "member pointers of one size");
    F handler;
    memcpy(&handler, &slot, sizeof handler);
    return handler;
}

// Typed member pointer -> table slot; the handler shape is checked here.
#define AFX_MSG_SLOT(type, member) AfxToSlot<type>(static_cast<type>(member))

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), AfxSig_cmd, AFX_MSG_SLOT(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) \
    {WM_COMMAND, BN_CLICKED, (UINT)(id), AfxSig_cmd, AFX_MSG_SLOT(void (CCmdTarget::*)(), &ThisClass::memberFxn)},

#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, AfxSig_i_create, AFX_MSG_SLOT(int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, AfxSig_v_v, AFX_MSG_SLOT(void (CWnd::*)(), &ThisClass::OnDestroy)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, AfxSig_v_v, AFX_MSG_SLOT(void (CWnd::*)(), &ThisClass::OnPaint)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, AfxSig_v_v, AFX_MSG_SLOT(void (CWnd::*)(), &ThisClass::OnClose)},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, AfxSig_v_uii, AFX_MSG_SLOT(void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, AfxSig_v_u, AFX_MSG_SLOT(void (CWnd::*)(UINT), &ThisClass::OnTimer)},
#define ON_WM_KEYDOWN() \
    {WM_KEYDOWN, 0, 0, AfxSig_v_uuu, AFX_MSG_SLOT(void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, AfxSig_v_bu, AFX_MSG_SLOT(void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)},
#define ON_WM_SETFOCUS() \
    {WM_SETFOCUS, 0, 0, AfxSig_v_w, AFX_MSG_SLOT(void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)},
