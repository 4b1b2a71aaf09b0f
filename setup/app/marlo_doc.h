// CMarloDoc: the setup's document, which holds nothing.
#pragma once

#include "framework.h"

class CMarloDoc : public CDocument {
    DECLARE_DYNCREATE(CMarloDoc)
public:
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;
};
