// CObject, the root of the framework's classes, with its runtime-class
// record (name, size, base, factory) and the DYNAMIC/DYNCREATE macros.
#pragma once

#include <windows.h>

class CObject;
class CArchive;
class CDumpContext;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // list of every class that registered itself

    // A new object of this class, or NULL when the class is not creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or NULL.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the registered class of that name, or NULL.
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Adds a class to the list that FromName searches (one static object per class).
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Serialisation and diagnostic contexts: the setup program passes them on
// but never stores or dumps anything.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    explicit CArchive(Mode mode) : m_nMode(mode) {}
    BOOL IsStoring() const { return m_nMode == store; }
    BOOL IsLoading() const { return m_nMode == load; }

private:
    Mode m_nMode;
};

class CDumpContext {};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                 \
public:                                             \
    static CRuntimeClass class##class_name;         \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                                  \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), pfnNew,         \
                                                   RUNTIME_CLASS(base_class_name), NULL};                \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);                      \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                \
    CObject* class_name::CreateObject() { return new class_name; }      \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)
