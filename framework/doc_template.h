// CSingleDocTemplate: creates the one document, its frame and its view from
// their runtime classes; CCreateContext carries them into the frame.
#pragma once

#include "cmd_target.h"
#include "cstring.h"

class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = NULL;
    CDocument* m_pCurrentDoc = NULL;
};

class CSingleDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    // Fields of the template's string resource, in order, separated by '\n'.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    // A new document (lpszPathName NULL) or the named file opened as one;
    // NULL on failure, with the frame created for it destroyed again.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE);
    BOOL GetDocString(CString& rString, DocStringIndex index) const;
    CDocument* GetDocument() const { return m_pOnlyDoc; }
    UINT GetResourceId() const { return m_nIDResource; }

private:
    CFrameWnd* CreateNewFrame(CDocument* pDoc);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    CDocument* m_pOnlyDoc = NULL;
};
