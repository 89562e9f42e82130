@echo off
rem Sample: start Notepad, wait for its window, bring it to the front and type two lines into it.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat

start "" notepad.exe

rem Its title depends on the language ("Sans titre - Bloc-notes"), its window class does not: look for
rem the class every tenth of a second, for ten seconds at most.
set TRIES=0
:wait
set WINHANDLE=0
"%TOVRIK%" findwindowclass Notepad
CALL %TVKFILE%
if not "%WINHANDLE%"=="0" goto found
set /a TRIES+=1
if %TRIES% GEQ 100 goto notFound
"%TOVRIK%" sleep 100
goto wait

:found
rem winactivate takes a title: read the window's own.
"%TOVRIK%" getwindowtext %WINHANDLE%
CALL %TVKFILE%
"%TOVRIK%" winactivate "%TEXT%"
CALL %TVKFILE%
if "%HANDLE%"=="0" goto notFound

rem + holds Shift for the next key, +( ) for a group; ~ is Enter; {LEFT} moves the cursor one place
rem ({LEFT 3}: three); {{} and {}} type braces. The keys go to whichever window has the focus then.
"%TOVRIK%" sendkeys "+bonjour de +tovrik~+(tvk) {{}fin{}}{LEFT}!"
echo Texte tape dans "%TEXT%".
goto :eof

:notFound
echo La fenetre de Notepad n'a pas ete trouvee.
