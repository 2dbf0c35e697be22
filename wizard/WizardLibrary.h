#pragma once
// The library's life in a host process. Attaching makes the library's
// resources (its dialog templates, strings and the symbols scripts name
// controls by) known to the platform, and fails when they are not all there;
// detaching frees the state kept across wizards (the material search).
// Nothing else runs at load time: the host sets the project tree afterwards.
#include "platform/system/Result.h"

CResult AttachWizardLibrary();
void DetachWizardLibrary();
bool IsWizardLibraryAttached();

// Attached for the life of the scope; Result() says whether attaching worked.
class CWizardLibraryScope {
public:
    CWizardLibraryScope() : m_result(AttachWizardLibrary()) {}
    ~CWizardLibraryScope()
    {
        if (m_result)
            DetachWizardLibrary();
    }
    CWizardLibraryScope(const CWizardLibraryScope&) = delete;
    CWizardLibraryScope& operator=(const CWizardLibraryScope&) = delete;
    const CResult& Result() const { return m_result; }

private:
    CResult m_result;
};
