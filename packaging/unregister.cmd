@echo off
rem Removes the current user's registration of the Kassivo COM driver:
rem x86\FPKassivo.dll beside this script, and on
rem 64-bit Windows x64\FPKassivo.dll too, each by the regsvr32 of its own
rem bitness (the 32-bit one lives in SysWOW64 there). Exit code 0 when both
rem are unregistered; otherwise the message says which failed and why.
setlocal
set "HERE=%~dp0"
set "NATIVE=%SystemRoot%\System32"
rem A 32-bit cmd on 64-bit Windows sees SysWOW64 as System32.
if defined PROCESSOR_ARCHITEW6432 set "NATIVE=%SystemRoot%\Sysnative"
set STATUS=0
if not exist "%SystemRoot%\SysWOW64\regsvr32.exe" goto :only32
call :register "%SystemRoot%\SysWOW64\regsvr32.exe" "%HERE%x86\FPKassivo.dll" 32-bit
call :register "%NATIVE%\regsvr32.exe" "%HERE%x64\FPKassivo.dll" 64-bit
goto :done
:only32
call :register "%NATIVE%\regsvr32.exe" "%HERE%x86\FPKassivo.dll" 32-bit
:done
if not "%STATUS%"=="0" echo unregister.cmd: not everything was unregistered (exit code %STATUS%) 1>&2
exit /b %STATUS%

:register
if exist "%~2" goto :found
echo unregister.cmd: %~3 driver not found: %~2 1>&2
set STATUS=2
exit /b 2
:found
"%~1" /u /s /n /i:user "%~2"
set CODE=%ERRORLEVEL%
if "%CODE%"=="0" goto :unregistered
echo unregister.cmd: %~1 could not unregister the %~3 driver %~2 (regsvr32 exit code %CODE%: 3 cannot load it, 4 or 5 it refused) 1>&2
set STATUS=1
exit /b 1
:unregistered
echo Unregistered for this user (%~3): %~2
exit /b 0
