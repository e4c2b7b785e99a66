// The two verb list files, looked for in the working directory.
#pragma once

constexpr const char* kMainVerbList = "irregu.ver";
constexpr const char* kAlternativeVerbList = "irrtes.ver";

// Whether the file can be opened for reading as a verb list: only a regular file can.
// A directory cannot, and a pipe is refused because opening it waits for a writer.
bool CanOpenVerbList(const char* pszName);
