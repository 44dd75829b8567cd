#pragma once

// The system headers for the Win32 implementation files. The platform interfaces have
// methods named like the system's character-set macros (MessageBox, CreateDirectory);
// those macros are removed here so that the names mean the same in every translation
// unit. Calls into the system always use the explicit wide forms.

#include <windows.h>

#undef MessageBox
#undef CreateDirectory
#undef SendMessage
#undef PostMessage
#undef PostThreadMessage
#undef RegisterWindowMessage
#undef GetMessage
#undef VkKeyScan
#undef VkKeyScanEx
#undef MapVirtualKey
#undef MapVirtualKeyEx
#undef CharToOem
