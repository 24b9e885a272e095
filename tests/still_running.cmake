# SPDX-FileCopyrightText: 2026 The Wuselwort developers
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DRUN=EMULATOR -DGAME=PROGRAM -DSECONDS=N -P still_running.cmake
# Passes when the game, given a platform that does not exist, is still running
# after N seconds and never mentions that platform; RUN may be empty. Windows
# holds a program that failed that way on a message box, running, so only
# its complaint tells.
execute_process(COMMAND ${RUN} ${GAME} -platform no-such-platform
  TIMEOUT ${SECONDS} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result MATCHES "timeout" OR output MATCHES "no-such-platform")
  message(FATAL_ERROR "The game obeyed its arguments (${result}):\n${output}")
endif()
