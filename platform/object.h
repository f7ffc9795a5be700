#pragma once
// Run-time classes: a named class with its base and, for the classes the document template
// creates by class (document, frame, view), an operation that makes one on the heap.
//
// Such a class declares
//     static const platform::CRuntimeClass runtimeClass;
//     const platform::CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
// and defines, in its source file,
//     const CRuntimeClass CMainFrame::runtimeClass =
//         DynamicClass<CMainFrame>("CMainFrame", &CFrameWnd::runtimeClass);

namespace platform {

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();    // null: not creatable by class
    const CRuntimeClass* m_pBaseClass;  // null for CObject

    // A new object of this class on the heap, or null when the class is not creatable.
    CObject* CreateObject() const {
        return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
    }
    bool IsDerivedFrom(const CRuntimeClass* base) const {
        for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass) {
            if (cls == base) {
                return true;
            }
        }
        return false;
    }
};

class CObject {
public:
    static const CRuntimeClass runtimeClass;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &runtimeClass; }
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

protected:
    CObject() = default;
};

// The run-time class of a class that the framework creates by class. Such classes take no
// part in object serialisation.
template <class T>
constexpr CRuntimeClass DynamicClass(const char* name, const CRuntimeClass* base) {
    return CRuntimeClass{name, [] { return static_cast<CObject*>(new T); }, base};
}

}  // namespace platform
