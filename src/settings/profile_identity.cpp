// How a profile names the windows it applies to: parsing the profile string into the
// matching fields, and the identity and short names built back from them.

#include "settings/application_settings.h"

#include "settings/profile_edits.h"
#include "support/bounded_copy.h"

#include <optional>

namespace {

// Profile strings longer than this are cut before their fields are split.
constexpr size_t kProfileBuffer = 1024;
// Separates the fields of the W2: and W3: forms.
constexpr StringView kSeparator = L" \\;| ";

// Splits text at the first separator: the field before it, and text becomes the rest.
std::optional<StringView> TakeField(StringView& text) {
    size_t at = text.find(kSeparator);
    if (at == StringView::npos)
        return std::nullopt;
    StringView field = text.substr(0, at);
    text.remove_prefix(at + kSeparator.size());
    return field;
}

// Stores field, or clears target when the field is a lone "*".
void StoreField(pw::settings::OwnedString& target, StringView field, bool lowerCase = false) {
    if (field == L"*")
        target.Clear();
    else
        target.Assign(field, lowerCase);
}

bool StartsWith(StringView text, StringView prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The next token of text on ";", skipping empty ones, as a tokenizer does.
std::optional<StringView> NextToken(StringView& text) {
    size_t start = text.find_first_not_of(L';');
    if (start == StringView::npos) {
        text = {};
        return std::nullopt;
    }
    text.remove_prefix(start);
    size_t end = text.find(L';');
    StringView token = text.substr(0, end);
    text.remove_prefix(end == StringView::npos ? text.size() : end + 1);
    return token;
}

} // namespace

// The "application, class, parent class" fields that end the W2: and W3: forms. Without
// a separator the whole profile string is the application.
void CApplicationSettings::StoreWindowFields(StringView whole, StringView rest) {
    std::optional<StringView> application = TakeField(rest);
    if (!application) {
        m_Class.Clear();
        m_ParentClass.Clear();
        StoreApplication(whole);
        return;
    }
    StoreApplicationField(*application);
    std::optional<StringView> windowClass = TakeField(rest);
    if (!windowClass) {
        m_Class.Clear();
        m_ParentClass.Clear();
        return;
    }
    StoreField(m_Class, *windowClass);
    StoreField(m_ParentClass, rest);
}

void CApplicationSettings::SetApplication(const Char* profileString) {
    if (!profileString) {
        ClearApplication();
        m_Class.Clear();
        m_ParentClass.Clear();
        m_Caption.Clear();
        return;
    }
    m_FullName.Assign(profileString);
    StringView whole = profileString;

    auto fieldsAfter = [&](size_t prefixLength) {
        return whole.substr(prefixLength, kProfileBuffer - 1);
    };

    if (StartsWith(whole, L"W3:")) {
        // Caption, application, class, parent class.
        StringView rest = fieldsAfter(3);
        std::optional<StringView> caption = TakeField(rest);
        if (!caption) {
            m_Caption.Clear();
            m_Class.Clear();
            m_ParentClass.Clear();
            StoreApplication(whole);
            return;
        }
        StoreField(m_Caption, *caption);
        StoreWindowFields(whole, rest);
        return;
    }

    if (StartsWith(whole, L"W2:")) {
        // Application, class, parent class.
        m_Caption.Clear();
        StoreWindowFields(whole, fieldsAfter(3));
        return;
    }

    if (StartsWith(whole, L"W:")) {
        // Application;class;parent class, as tokens.
        m_Caption.Clear();
        StringView rest = fieldsAfter(2);
        pw::settings::OwnedString* targets[] = {&m_Application, &m_Class, &m_ParentClass};
        for (pw::settings::OwnedString* target : targets) {
            std::optional<StringView> token = NextToken(rest);
            if (target == &m_Application)
                token ? StoreApplicationField(*token) : ClearApplication();
            else if (token)
                StoreField(*target, *token);
            else
                target->Clear();
        }
        return;
    }

    m_Caption.Clear();
    m_Class.Clear();
    m_ParentClass.Clear();
    StoreApplication(whole);
}

// Process names are compared without regard to case; a pattern keeps its case, since
// lower-casing changes what escapes such as \D or \W mean.
void CApplicationSettings::StoreApplication(StringView text) {
    pw::settings::NoteProfileEdit();
    m_Application.Assign(text, true);
    m_ApplicationPattern.Assign(text);
}

void CApplicationSettings::StoreApplicationField(StringView field) {
    if (field == L"*")
        ClearApplication();
    else
        StoreApplication(field);
}

void CApplicationSettings::ClearApplication() {
    pw::settings::NoteProfileEdit();
    m_Application.Clear();
    m_ApplicationPattern.Clear();
}

bool CApplicationSettings::IsCustomWindow() const {
    return m_Class.IsSet() || m_ParentClass.IsSet() || m_Caption.IsSet() ||
           m_WindowMask != wmWholeWindow || m_bRegExMatching || m_bNoParent;
}

String CApplicationSettings::GetKey() const {
    if (!IsCustomWindow())
        return m_Application.OrEmpty();
    String key = L"cw;";
    key += m_Caption.OrEmpty();
    key += L";";
    key += m_Application.OrEmpty();
    key += L";";
    key += m_ParentClass.OrEmpty();
    key += L";";
    key += m_Class.OrEmpty();
    return key;
}

int CApplicationSettings::GetShortName(Char* buffer, int size) const {
    size_t capacity = size > 0 ? static_cast<size_t>(size) : 0;
    if (m_Description.IsSet())
        return pw::CopyString(buffer, capacity, m_Description.Get());
    if (!IsCustomWindow()) {
        if (!m_Application.IsSet())
            return -1;
        return pw::CopyString(buffer, capacity, m_Application.Get());
    }
    Char name[kProfileBuffer] = {};
    pw::AppendString(name, kProfileBuffer, m_Application.OrEmpty());
    if (m_Class.IsSet()) {
        pw::AppendString(name, kProfileBuffer, L";");
        pw::AppendString(name, kProfileBuffer, m_Class.Get());
    }
    if (m_ParentClass.IsSet()) {
        pw::AppendString(name, kProfileBuffer, L";");
        pw::AppendString(name, kProfileBuffer, m_ParentClass.Get());
    }
    return pw::CopyString(buffer, capacity, name);
}
