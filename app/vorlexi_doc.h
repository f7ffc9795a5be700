#pragma once
// The text document. It keeps no data of its own: the text lives in its one view's edit
// control, and files are that text byte for byte.

#include "afx.h"

class CVorlexiView;

class CVorlexiDoc : public CDocument {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    static const MessageMap<CVorlexiDoc> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    void Serialize(CArchive& archive) override;
    BOOL OnNewDocument() override;

private:
    // The template attaches the view before it asks the document for anything.
    CVorlexiView* FirstView() const;
};
