"""What a screen reader hears of the main window, in Russian and English, over AT-SPI: the date
pickers' names and what they set, the menu items by caption with their key as the shortcut, the
menus named after what they hold.   AtSpiTest.py <program> <language folder>"""
import os, shutil, subprocess, sys, tempfile, time

BOUND = 90  # seconds; only a bound: each wait ends when its condition holds
BIRTH = ['Дата рождения: от неё считаются знак зодиака, возраст, прожитые дни и биоритмы',
         'Date of birth: the zodiac sign, age, days lived and biorhythms count from it']
WANTED = {  # the settings file's language: pickers, items with a key, menus
    '': ([('Прогноз на дату', 'Дата прогноза: панели показывают этот день, графики — его месяц и '
           'следующий'), ('Дата рождения мужчины', BIRTH[0]), ('Дата рождения женщины', BIRTH[0])],
         'Выбрать пару...=Ctrl+O|Сохранить пару...=Ctrl+Shift+S|Настройки=Ctrl+S|Печать...=Ctrl+P|'
         'Выход=Esc|Сегодня=Ctrl+T|Подробная информация о мужчине=Ctrl+1|Подробная информация о '
         'женщине=Ctrl+2|Справка=F1|Руководство пользователя=Shift+F1', ['Файл', 'Language', 'Вид', 'Помощь'], 'Команды программы'),
    'English': ([('Forecast date', 'Forecast date: the panels show this day, the charts its month '
                  'and the next'), ("Man's date of birth", BIRTH[1]),
                 ("Woman's date of birth", BIRTH[1])],
                'Choose couple...=Ctrl+O|Save couple...=Ctrl+Shift+S|Settings=Ctrl+S|'
                'Print...=Ctrl+P|Exit=Esc|Today=Ctrl+T|Details on the man=Ctrl+1|'
                'Details on the woman=Ctrl+2|Help=F1|User guide=Shift+F1',
                ['File', 'Language', 'View', 'Help'], "The program's commands")}

if len(sys.argv) == 3:  # an X server and a D-Bus session of its own, which must know the display
    with tempfile.TemporaryDirectory() as folder:
        program = sys.argv[1]
        for name in [program, os.path.join(os.path.dirname(program), 'liborvanta-windows.so')]:
            shutil.copy(name, folder)
        os.mkdir(os.path.join(folder, 'Language'))
        shutil.copy(os.path.join(sys.argv[2], 'English.lng.ini'), os.path.join(folder, 'Language'))
        # The server writes its display number once it takes clients; one that reset when its
        # last client (AT-SPI's bus launcher) left would refuse the program meanwhile.
        ready, told = os.pipe()
        xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(told), '-nolisten', 'tcp', '-noreset',
                                 '-screen', '0', '1280x1024x24'], pass_fds=[told])
        os.close(told)
        display = os.read(ready, 16).decode().strip()
        try:
            sys.exit(subprocess.run(['dbus-run-session', '--', sys.executable, __file__, folder],
                                    env=dict(os.environ, DISPLAY=':' + display)).returncode
                     if display else 'no X server')
        finally:
            xvfb.terminate()
            xvfb.wait()

import pyatspi  # on the session above


def nodes(node):
    yield node
    for child in filter(None, node):
        yield from nodes(child)


def described(pid):  # the program's window once it has named its menus
    for app in filter(None, pyatspi.Registry.getDesktop(0)):
        if app.get_process_id() == pid and app.childCount:
            menus = [n for n in nodes(app[0]) if n.getRoleName() == 'popup menu']
            if menus and all(menu.name for menu in menus):
                return app[0]


failures, folder = [], sys.argv[1]
for language, (pickers, keys, menus, about) in WANTED.items():
    with open(os.path.join(folder, 'orvanta.ini'), 'w', encoding='utf-8') as settings:
        settings.write(f'[Settings]\nLanguage={language}\n')
    program = subprocess.Popen([os.path.join(folder, 'orvanta')], cwd=folder, env=dict(
        os.environ, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1'))
    end, window = time.monotonic() + BOUND, None
    while not window and program.poll() is None and time.monotonic() < end:
        window = described(program.pid) or time.sleep(0.1)
    every = list(nodes(window)) if window else []
    role = lambda name: [n for n in every if n.getRoleName() == name]
    got = ([(n.name, n.description) for n in role('spin button')],
           '|'.join(f'{n.name}={k}' for n in role('menu item') if n.parent.getRoleName() ==
                    'popup menu' and (k := n.queryAction().getKeyBinding(0))),
           [n.name for n in role('popup menu')], {n.description for n in role('popup menu')})
    if got != (pickers, keys, menus, {about}):
        failures.append(f'{language or "Russian"}:\n  got    {got}\n'
                        f'  wanted {(pickers, keys, menus, {about})}')
    program.terminate()
    program.wait(BOUND)
print('\n'.join(failures) or 'AT-SPI: what a screen reader hears is as it should be')
sys.exit(bool(failures))
