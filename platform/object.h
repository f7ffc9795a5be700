#pragma once
// Run-time classes: a named class with a base and, for the classes the document template
// creates, an operation that allocates one on the heap.
//
// A dynamically creatable class declares
//     static const platform::CRuntimeClass runtimeClass;
//     const platform::CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
// and defines, in its source file,
//     const CRuntimeClass CMainFrame::runtimeClass =
//         DynamicClass<CMainFrame>("CMainFrame", &CFrameWnd::runtimeClass);

#include "win_types.h"

namespace platform {

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                     // 0xFFFF: takes no part in serialisation
    CObject* (*m_pfnCreateObject)();    // null: not creatable at run time
    const CRuntimeClass* m_pBaseClass;  // null for CObject

    // A new object of this class on the heap, or null when the class is not creatable.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    static const CRuntimeClass runtimeClass;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &runtimeClass; }
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

template <class T>
CObject* CreateDynamicObject() {
    return new T;
}

// The run-time class of a class that the framework creates by name (document, frame, view).
template <class T>
constexpr CRuntimeClass DynamicClass(const char* name, const CRuntimeClass* base,
                                     UINT schema = 0xFFFF) {
    return CRuntimeClass{name, static_cast<int>(sizeof(T)), schema, &CreateDynamicObject<T>, base};
}

// The run-time class of a class that is never created by name.
template <class T>
constexpr CRuntimeClass PlainClass(const char* name, const CRuntimeClass* base) {
    return CRuntimeClass{name, static_cast<int>(sizeof(T)), 0xFFFF, nullptr, base};
}

}  // namespace platform
