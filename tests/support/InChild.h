// Work in a child process, so that its changes to the process die with it.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs check in a child process, as uid when root: true when it returned true.
template <class Check> bool InChild(uid_t uid, Check check)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(::geteuid() == 0 && (::setgid(uid) != 0 || ::setuid(uid) != 0) ? 2 : check() ? 0 : 1);
    int nStatus = -1;
    return pid > 0 && ::waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}
