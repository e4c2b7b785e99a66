// The program's interface texts in the learner's language. The English text is the key;
// every text comes back as UTF-8, and as it is when no catalog is in use (or it lacks it).
// Verb data never goes through here: the lists' words stay as the lists hold them.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

// Marks a text where it is defined (a table, a constant) for the catalog; the code that
// shows it passes it through Tr.
#define TR_NOOP(text) text

std::string Tr(const char* pszEnglish);
// One English text in two senses: the context tells the translator which.
std::string TrC(const char* pszContext, const char* pszEnglish);
// The form for n of a counted text ("1 question", "5 questions"); how many forms a
// language has and which n takes which is the catalog's rule.
std::string TrN(const char* pszSingular, const char* pszPlural, unsigned long n);

// Puts values into a translated text at {1}, {2}, ...: translators may reorder them.
// "{{" stands for "{". A placeholder with no value stays as it is.
std::string FillIn(const std::string& strPattern, std::initializer_list<std::string> values);

// While it lives, Tr and its kin give English on this thread, whatever catalog is in use:
// for texts the program reads back (the checker's fixes become the editor's repairs).
class EnglishOnThisThread
{
public:
    EnglishOnThisThread();
    ~EnglishOnThisThread();
    EnglishOnThisThread(const EnglishOnThisThread&) = delete;
    EnglishOnThisThread& operator=(const EnglishOnThisThread&) = delete;

private:
    bool m_bWasEnglish;
};

// Where the texts come from; the program installs one at start-up.
class TextCatalog
{
public:
    virtual ~TextCatalog() = default;
    // nullptr when the catalog has no translation for the text.
    virtual const std::string* Find(const char* pszContext, const char* pszEnglish) const = 0;
    virtual const std::string* FindPlural(const char* pszSingular, unsigned long n) const = 0;
};

// nullptr (the start) is English.
void UseTextCatalog(std::unique_ptr<TextCatalog> pCatalog);
const TextCatalog* CurrentTextCatalog();
