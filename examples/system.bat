@echo off
rem Sample: facts about the system, a new GUID, and a round trip through the clipboard.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat
setlocal

"%TOVRIK%" getsystemdrive
CALL %TVKFILE%
echo getsystemdrive: %DRIVE%
"%TOVRIK%" getvolumeserial %DRIVE%
CALL %TVKFILE%
echo getvolumeserial: %SN%

rem A GUID is new each time: show its shape only.
"%TOVRIK%" getguid
CALL %TVKFILE%
"%TOVRIK%" strlength %GUID%
CALL %TVKFILE%
echo getguid: %STRLEN% characters, starting with %GUID:~0,1%

"%TOVRIK%" isconnected
CALL %TVKFILE%
echo isconnected: %CONNECTED%

rem This replaces what the clipboard held. The return file writes the & as ^& so that CALL
rem does not run "Jerry" as a command: the variable then holds the text exactly.
"%TOVRIK%" clipboardsettext "Tom & Jerry"
"%TOVRIK%" clipboardgettext
find "CLIPBOARD" < %TVKFILE%
CALL %TVKFILE%
echo clipboardgettext: "%CLIPBOARD%"

"%TOVRIK%" getwinver
CALL %TVKFILE%
echo getwinver WINNT: %WINNT%
endlocal
