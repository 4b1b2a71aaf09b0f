// CMarloDoc.
#include "marlo_doc.h"

IMPLEMENT_DYNCREATE(CMarloDoc, CDocument)

BOOL CMarloDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

void CMarloDoc::Serialize(CArchive&) {}
