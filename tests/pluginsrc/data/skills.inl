#define MAX_LEVELS 10
#define MAX_SKILLS 36
#define MAX_RACE_SKILLS 3
#define MAX_SKILL_LEVEL 3

//Skills 1 Max Percent
#define MIN_PERCENT_EVASION 0.0 //p_evasion
#define MAX_PERCENT_EVASION 1.0
#define MIN_PERCENT_PHOENIX 0.0   //p_phoenix
#define MAX_PERCENT_PHOENIX 1.000
#define MIN_PERCENT_FAN 0.0 //p_fan
#define MAX_PERCENT_FAN 1.0
#define MIN_PERCENT_IMPALE 0.0 //p_impale
#define MAX_PERCENT_IMPALE 1.0

//Skills 2 Max Percent
#define MIN_PERCENT_BANISH 0.0   //p_banish
#define MAX_PERCENT_BANISH 1.0
#define MIN_PERCENT_HEX 0.0   //p_hex
#define MAX_PERCENT_HEX 1.0
#define MIN_PERCENT_BLINK 0.0   //p_blink
#define MAX_PERCENT_BLINK 1.000

//Skills 3 Max Percent
#define MIN_PERCENT_BASH 0.0   //p_bash
#define MAX_PERCENT_BASH 1.0
#define MIN_PERCENT_ANKH 0.0   //p_ankh
#define MAX_PERCENT_ANKH 1.000
#define MIN_PERCENT_SHADOW 0.0 //p_shadow
#define MAX_PERCENT_SHADOW 1.0
#define MIN_PERCENT_CARRION 0.0   //p_carrion
#define MAX_PERCENT_CARRION 1.0

//Skills 4 Max Percent
#define MIN_PERCENT_CONCOCTION 0.0   //p_concoction
#define MAX_PERCENT_CONCOCTION 1.0
#define MAX_PERCENT_HARDEN 0.5   //p_harden
#define MIN_PERCENT_ORB 0.0   //p_orb
#define MAX_PERCENT_ORB 1.0

// Constants for Abilities
//Skills 1

new const Float:p_vampiric[MAX_SKILL_LEVEL] = {0.1,
0.2,
0.3
}; //Vampiric Aura (skill 1)
new const p_invisibility[MAX_SKILL_LEVEL] = {200,
175,
135
}; //Invisibility (skill 1)
new const Float:p_critical[MAX_SKILL_LEVEL] = {0.25,
0.5,
0.75
}; //Critical Strike (skill 1)
new const Float:p_evasion[MAX_SKILL_LEVEL] = {0.100,
0.175,
0.25
}; //Evasion (skill 1)
new const Float:p_phoenix[MAX_SKILL_LEVEL] = {0.333,
0.667,
1.000
}; //Phoenix (skill 1)
new const Float:p_heal[MAX_SKILL_LEVEL] = {6.0,
4.00,
2.00
}; //Healing Wave (skill 1)
new const Float:p_fan[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Fan of Knives (skill 1)
new const Float:p_impale[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Impale (skill 1)

//Skills 2
new Float:p_unholy[MAX_SKILL_LEVEL] =  {265.0,
285.0,
300.0
}; //Unholy Aura (skill 2)
new const p_devotion = 15 //Devotion Aura (skill 2)
new const Float:p_grenade[MAX_SKILL_LEVEL] = {2.0,
3.0,
4.0
}; //Critical Grenade (skill 2)
new const Float:p_thorns[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Thorns Aura (skill 2)
new const Float:p_banish[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Banish (skill 2)
new const Float:p_hex[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Hex (skill 2)
new const Float:p_blink[MAX_SKILL_LEVEL] = {0.333,
0.667,
1.000
}; //Blink (skill 2)
new const Float:p_spiked[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Spiked Carapace (skill 2)

//Skills 3
new const Float:p_levitation[MAX_SKILL_LEVEL] = {0.8,
0.60,
0.40
}; //Levitation (skill 3)
new const Float:p_bash[MAX_SKILL_LEVEL] = {0.100,
0.200,
0.300
}; //Bash (skill 3)
new const Float:p_ankh[MAX_SKILL_LEVEL] = {0.333,
0.667,
1.000
}; //Equipment reincarnation (skill 3)
new const Float:p_trueshot[MAX_SKILL_LEVEL] = {0.1,
0.2,
0.35
}; //Trueshot Aura (skill 3)
new const Float:p_mana[MAX_SKILL_LEVEL] = {0.02,
0.04,
0.08
}; //Siphon Mana (skill 3)
new const p_serpent[MAX_SKILL_LEVEL] = {1,
2,
3
}; //Serpent Ward (skill 3)
new const Float:p_shadow[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Shadow Strike (skill 3)
new const Float:p_carrion[MAX_SKILL_LEVEL] = {0.05,
0.1,
0.15
}; //Carrion Beetle (skill 3)

//Skills 4
new const Float:p_resistant[MAX_LEVELS+1] = {0.02,
0.04,
0.08,
0.12,
0.16,
0.2,
0.24,
0.28,
0.32,
0.36,
0.40
}; //Resistant Skin (skill 4)
new const Float:p_concoction[MAX_LEVELS+1] = {0.01,
0.02,
0.03,
0.04,
0.05,
0.06,
0.07,
0.08,
0.09,
0.1,
0.15
}; //Unstable Concoction (skill 4)
new const Float:p_harden[MAX_LEVELS+1] = {0.03,
0.05,
0.1,
0.15,
0.2,
0.25,
0.3,
0.35,
0.4,
0.45,
0.5
}; //Hardened Skin (skill 4)
new const Float:p_orb[MAX_LEVELS+1] = {0.01,
0.02,
0.03,
0.04,
0.05,
0.06,
0.07,
0.08,
0.09,
0.1,
0.15
}; //Orb of Annihilation (skill 4)

