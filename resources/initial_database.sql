-- The settings database as the editor carries it and writes it out on first start
-- (TarnekChangeLevelDatabase/TarnekChangeLevel.mdb). The build runs this script into an
-- empty SQLite file and embeds the result in the program.
--
-- Every value is text, stored exactly as written here ("0.100", "4.00", "265.0" ...).
-- Per-level tables hold one row per level in stored order; the first column is the
-- row's position and is never read. One-row tables keep one parameter per column and
-- are changed by UPDATE without WHERE. Some tables and columns are not used by the
-- editor and stay only so that the file keeps its known layout.

CREATE TABLE "Версия" (
    "Код" INTEGER PRIMARY KEY,
    "Версия" TEXT,
    "Окно" TEXT
);
INSERT INTO "Версия" ("Код", "Версия", "Окно") VALUES (1, '3.0', '1');

CREATE TABLE "Количество уровней" (
    "Код" INTEGER PRIMARY KEY,
    "Количество уровней" TEXT
);
INSERT INTO "Количество уровней" ("Код", "Количество уровней") VALUES (1, '10');

CREATE TABLE "XP за убийство" (
    "Уровень" TEXT,
    "Не сохраняемые XP (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP (kq4_save_xp 1)" TEXT,
    "Не сохраняемые XP за убийство (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP за убийство (kq4_save_xp 1)" TEXT
);
INSERT INTO "XP за убийство" VALUES
    ('0', '0', '400', '10', '6'),
    ('1', '500', '2400', '15', '8'),
    ('2', '1000', '4800', '20', '10'),
    ('3', '1500', '8000', '25', '12'),
    ('4', '2000', '12000', '30', '14'),
    ('5', '2500', '16800', '35', '16'),
    ('6', '3000', '22400', '40', '18'),
    ('7', '3500', '28800', '45', '20'),
    ('8', '4000', '36000', '50', '22'),
    ('9', '4500', '44000', '55', '24'),
    ('10', '5000', '52800', '60', '26');

CREATE TABLE "Скилы 1 уровня" (
    "Скилл" TEXT,
    "Аура вампира (Vampiric Aura)" TEXT,
    "Невидимость (Invisibility)" TEXT,
    "Критический удар (Critical Strike)" TEXT,
    "Уклонение (Evasion)" TEXT,
    "Феникс (Phoenix)" TEXT,
    "Волна жизни (Healing Wave)" TEXT,
    "Веселье клинков (Fan of Knives)" TEXT,
    "Запутывание (Impale)" TEXT
);
INSERT INTO "Скилы 1 уровня" VALUES
    ('0', '0.1', '200', '0.25', '0.100', '0.333', '6.0', '0.05', '0.05'),
    ('1', '0.2', '175', '0.5', '0.175', '0.667', '4.00', '0.1', '0.1'),
    ('2', '0.3', '135', '0.75', '0.25', '1.000', '2.00', '0.15', '0.15');

CREATE TABLE "Скилы 2 уровня" (
    "Скилл" TEXT,
    "Нечистая аура (Unholy Aura)" TEXT,
    "Критические гранаты (Critical Grenade)" TEXT,
    "Шипастая аура (Thorns Aura)" TEXT,
    "Изгнание (Banish)" TEXT,
    "Проклятье (Hex)" TEXT,
    "Потеря концентрации (Blink)" TEXT,
    "Шипованная броня (Spiked Carapace)" TEXT,
    "Аура преданности (Devotion Aura)" TEXT
);
INSERT INTO "Скилы 2 уровня" VALUES
    ('0', '265.0', '2.0', '0.05', '0.05', '0.05', '0.333', '0.05', '15'),
    ('1', '285.0', '3.0', '0.1', '0.1', '0.1', '0.667', '0.1', '15'),
    ('2', '300.0', '4.0', '0.15', '0.15', '0.15', '1.000', '0.15', '15');

CREATE TABLE "Скилы 3 уровня" (
    "Скилл" TEXT,
    "Полет (Levitation)" TEXT,
    "Удар (Bash)" TEXT,
    "Восстановление оружия (Equipment Reincarnation)" TEXT,
    "Аура правдивости (Trueshot Aura)" TEXT,
    "Похищение брони (Siphon Mana)" TEXT,
    "Змеиная суть (Serpent Ward)" TEXT,
    "Скрытый удар (Shadow Strike)" TEXT,
    "Трупоеды (Carrion Beetles)" TEXT
);
INSERT INTO "Скилы 3 уровня" VALUES
    ('0', '0.8', '0.100', '0.333', '0.1', '0.02', '1', '0.05', '0.05'),
    ('1', '0.60', '0.200', '0.667', '0.2', '0.04', '2', '0.1', '0.1'),
    ('2', '0.40', '0.300', '1.000', '0.35', '0.08', '3', '0.15', '0.15');

CREATE TABLE "Скилы 4 уровня" (
    "Уровень" TEXT,
    "Шипованная кожа (Resistant Skin)" TEXT,
    "Неустойчивый концентрат (Unstable Concoction)" TEXT,
    "Закаленная кожа (Hardened Skin)" TEXT,
    "Сфера уничтожения (Orb of Annihilation)" TEXT
);
INSERT INTO "Скилы 4 уровня" VALUES
    ('0', '0.02', '0.01', '0.03', '0.01'),
    ('1', '0.04', '0.02', '0.05', '0.02'),
    ('2', '0.08', '0.03', '0.1', '0.03'),
    ('3', '0.12', '0.04', '0.15', '0.04'),
    ('4', '0.16', '0.05', '0.2', '0.05'),
    ('5', '0.2', '0.06', '0.25', '0.06'),
    ('6', '0.24', '0.07', '0.3', '0.07'),
    ('7', '0.28', '0.08', '0.35', '0.08'),
    ('8', '0.32', '0.09', '0.4', '0.09'),
    ('9', '0.36', '0.1', '0.45', '0.1'),
    ('10', '0.40', '0.15', '0.5', '0.15');

-- Generator increments: ten skill columns, then the three XP columns.
CREATE TABLE "Приращение" (
    "Аура вампира (Vampiric Aura)" TEXT,
    "Критический удар (Critical Strike)" TEXT,
    "Нечистая аура (Unholy Aura)" TEXT,
    "Критические гранаты (Critical Grenade)" TEXT,
    "Шипастая аура (Thorns Aura)" TEXT,
    "Шипованная броня (Spiked Carapace)" TEXT,
    "Аура правдивости (Trueshot Aura)" TEXT,
    "Похищение брони (Siphon Mana)" TEXT,
    "Змеиная суть (Serpent Ward)" TEXT,
    "Шипованная кожа (Resistant Skin)" TEXT,
    "Не сохраняемые XP (kq4_save_xp 0)" TEXT,
    "Не сохраняемые XP за убийство (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP за убийство (kq4_save_xp 1)" TEXT
);
INSERT INTO "Приращение" VALUES
    ('0.1', '0.25', '15.0', '1.0', '0.15', '0.05', '0.35', '0.02', '1', '0.02', '500', '5', '2');

CREATE TABLE "Исходное значение" (
    "Не сохраняемые XP (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP (kq4_save_xp 1)" TEXT,
    "Не сохраняемые XP за убийство (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP за убийство (kq4_save_xp 1)" TEXT
);
INSERT INTO "Исходное значение" VALUES ('0', '400', '10', '6');

-- Only "Сохраняемые XP (kq4_save_xp 1)" is used; the other three are never read or written.
CREATE TABLE "Множитель" (
    "Не сохраняемые XP (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP (kq4_save_xp 1)" TEXT,
    "Не сохраняемые XP за убийство (kq4_save_xp 0)" TEXT,
    "Сохраняемые XP за убийство (kq4_save_xp 1)" TEXT
);
INSERT INTO "Множитель" VALUES ('1', '2', '1', '1');

CREATE TABLE "Максимальный %" (
    "Уклонение (Evasion)" TEXT,
    "Феникс (Phoenix)" TEXT,
    "Волна жизни (Healing Wave)" TEXT,
    "Веселье клинков (Fan of Knives)" TEXT,
    "Запутывание (Impale)" TEXT,
    "Изгнание (Banish)" TEXT,
    "Проклятье (Hex)" TEXT,
    "Потеря концентрации (Blink)" TEXT,
    "Удар (Bash)" TEXT,
    "Восстановление оружия (Equipment Reincarnation)" TEXT,
    "Скрытый удар (Shadow Strike)" TEXT,
    "Трупоеды (Carrion Beetles)" TEXT,
    "Неустойчивый концентрат (Unstable Concoction)" TEXT,
    "Закаленная кожа (Hardened Skin)" TEXT,
    "Сфера уничтожения (Orb of Annihilation)" TEXT
);
INSERT INTO "Максимальный %" VALUES
    ('0.25', '1', '6.0', '0.15', '0.15', '0.15', '0.15', '1', '0.3', '1', '0.15', '0.15', '0.15', '0.5', '0.15');

-- Same columns as "Максимальный %"; Phoenix, Healing Wave, Blink, Equipment
-- Reincarnation and Hardened Skin are never read or written.
CREATE TABLE "Максимальный шанс" (
    "Уклонение (Evasion)" TEXT,
    "Феникс (Phoenix)" TEXT,
    "Волна жизни (Healing Wave)" TEXT,
    "Веселье клинков (Fan of Knives)" TEXT,
    "Запутывание (Impale)" TEXT,
    "Изгнание (Banish)" TEXT,
    "Проклятье (Hex)" TEXT,
    "Потеря концентрации (Blink)" TEXT,
    "Удар (Bash)" TEXT,
    "Восстановление оружия (Equipment Reincarnation)" TEXT,
    "Скрытый удар (Shadow Strike)" TEXT,
    "Трупоеды (Carrion Beetles)" TEXT,
    "Неустойчивый концентрат (Unstable Concoction)" TEXT,
    "Закаленная кожа (Hardened Skin)" TEXT,
    "Сфера уничтожения (Orb of Annihilation)" TEXT
);
INSERT INTO "Максимальный шанс" VALUES
    ('1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0', '1.0');

CREATE TABLE "Значения расы Альянс Людей" (
    "Уменьшение" TEXT,
    "Исходное" TEXT
);
INSERT INTO "Значения расы Альянс Людей" VALUES ('35', '200');

CREATE TABLE "Значения расы Нежить" (
    "Предел" TEXT
);
INSERT INTO "Значения расы Нежить" VALUES ('0.6');

-- The last three race tables are never read or written.
CREATE TABLE "Значения расы Шпион" (
    "Шанс" TEXT,
    "Шанс-Скрытый удар" TEXT
);
INSERT INTO "Значения расы Шпион" VALUES ('60', '180');

CREATE TABLE "Значения расы Лорд Мертвых" (
    "Шанс" TEXT
);
INSERT INTO "Значения расы Лорд Мертвых" VALUES ('180');

CREATE TABLE "Значения расы Эльф" (
    "Шанс-Уклонение" TEXT
);
INSERT INTO "Значения расы Эльф" VALUES ('60');
