// CDocument: the data of a document template, with its views.
#pragma once

#include <vector>

#include "cmd_target.h"
#include "cstring.h"

class CView;
class CSingleDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual void DeleteContents();

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& Views() const { return m_views; }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    CSingleDocTemplate* m_pDocTemplate = NULL;

private:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
};
