@echo off
rem Sample: ask for a name, a yes-or-no question that uses it, then a message. Each dialog waits
rem for the user.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat
setlocal

rem The initial text comes selected: typing replaces it.
"%TOVRIK%" createinputdialog "Exemple" "Votre nom :" "Camille"
CALL %TVKFILE%
rem Between double quotes, characters such as & in the typed text are only text to cmd.
echo EXECUTED=%EXECUTED% TEXT="%TEXT%"
if not "%EXECUTED%"=="1" goto cancelled

rem \n starts a new line in the message.
"%TOVRIK%" dlgyesno "Bonjour %TEXT% !\nVoulez-vous un dernier message ?"
CALL %TVKFILE%
echo BUTTON=%BUTTON%
if not "%BUTTON%"=="0" goto :eof

"%TOVRIK%" dlginformation "Au revoir, %TEXT%."
echo Fin.
goto :eof

:cancelled
echo Annule.
